#pragma once

namespace kv {

struct AppContext;

// The Help menu's entries but for the registration form, which the booklet printing wires.
void mnuContents_Click(AppContext& c);
void mnuAbout_Click(AppContext& c);
void mnuorvanta_Click(AppContext& c);
void mnuRegisterOL_Click(AppContext& c);

// Connects those entries; the help file is looked for beside the program from then on.
void wireHelpMenu(AppContext& c);

} // namespace kv
