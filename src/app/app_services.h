#pragma once

#include "platform/services.h"

namespace kv {

// The real services, printer, clipboard and help included.
Services makeAppServices();

} // namespace kv
