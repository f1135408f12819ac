#pragma once

namespace kv {

struct AppContext;
struct FindQuery;
struct FindSource;

// Opens a Find result where it lives: a document in the viewer, modal, with the first match
// selected and in view; a photo's text by choosing its year or topic and showing the photo
// with the text over it. False when it can no longer be shown (the file went away).
bool openFindHit(AppContext& c, const FindSource& source, const FindQuery& query);

} // namespace kv
