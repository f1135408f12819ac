#pragma once

namespace kv {

// Read-only text browsers (documents, help) reach a screen reader as a read-only text, which it
// reads by caret, rather than as a label. Installs the accessibility factory once; safe to call
// from every constructor.
void makeTextBrowsersReadable();

} // namespace kv
