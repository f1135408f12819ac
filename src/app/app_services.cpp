#include "app/app_services.h"

namespace kv {

Services makeAppServices()
{
    return makeQtServices();
}

} // namespace kv
