#pragma once

#include <QString>

namespace kv {

struct AppContext;

// Choosing a year or topic; the caption is already in the selection (app/topics.h).
void SelectTopic(AppContext& c);
void SelectStuffTopic(AppContext& c);

// User actions on the main window.
void cmdYR_Click(AppContext& c, int index);
void cmdYR_KeyDown(AppContext& c, int index, int key);
void Form1_Click(AppContext& c);
void mnuStuff_Click(AppContext& c, int index);
// Chooses a photo code's year or topic as the user would; codes no menu offers are shown as the
// slide show leaves them.
void choosePhotoCode(AppContext& c, const QString& code);
// Another program took over while the slide show had run: the main window is brought back.
void Form1_LostFocus(AppContext& c);
void Image4_MouseDown(AppContext& c, bool rightButton);

} // namespace kv
