#pragma once

#include <QString>

namespace kv {

struct AppContext;

QString topicCodeForCaption(const QString& caption);
bool isYearCaption(const QString& caption);

void SelectTopic(AppContext& c);
void EnableTopicButtons(AppContext& c);
void SelectStuffTopic(AppContext& c);
// Caption of a slide from the code of PhotoList(PhotoCursor).
QString slideCaptionFor(const QString& code);
void SlideCaption(AppContext& c);

// User actions on the main window.
void cmdYR_Click(AppContext& c, int index);
void cmdYR_KeyDown(AppContext& c, int index, int key);
void Form1_Click(AppContext& c);
void mnuStuff_Click(AppContext& c, int index);
void Form1_LostFocus(AppContext& c);
void Image4_MouseDown(AppContext& c, bool rightButton);

} // namespace kv
