#include "platform/doubles/fake_screen.h"
