#pragma once

#include <QString>
#include <Qt>

namespace kv {

struct AppContext;
class PictureView;

// Disc paths of the artwork for the caption of panYear (clip art from TopicCode).
QString scriptPath(const AppContext& c);
QString emblemPath(const AppContext& c);
QString clipArtPath(const AppContext& c);

// The three buttons.
void cmdClipArt_Click(AppContext& c);
void cmdScript_Click(AppContext& c);
void cmdEmblem_Click(AppContext& c);

// Loading routines; the selection calls them for panels that are shown.
void LoadScript(AppContext& c);
void LoadEmblem(AppContext& c);
void RefreshClipArt(AppContext& c);

// A panel pressed: the left button hides it, the right one offers to copy its picture.
void artworkPanel_MouseDown(AppContext& c, PictureView* panel, Qt::MouseButton button);

void wireArtworkAndPages(AppContext& c);

} // namespace kv
