#include "platform/doubles/fake_settings.h"
