#pragma once

namespace kv {

struct AppContext;

// Help > Print Registration Form: the form in the document viewer, whose button prints it.
void mnuRegister_Click(AppContext& c);

} // namespace kv
