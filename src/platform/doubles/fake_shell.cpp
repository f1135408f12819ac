#include "platform/doubles/fake_shell.h"
