#pragma once

#include <QString>

namespace kv {

struct AppContext;

// The photo cursor: the only code that writes PhotoCursor, PhotoIndex, SkipFirstMatch,
// LastStepNext, LastStepPrevious and LastStepFailed.
//
// From any window:
//     c.state.PhotoIndex, c.state.CurrentPhoto   // the photo the main window shows (0, "" before any)
//     NextPhoto(c), PreviousPhoto(c)             // a user's step (photos/photo_stepping.h): reports
//                                                // a failure, moves the focus, refreshes the rest
//     showPhotoEntry(c, position)                // show one list entry in the main window
// The selection, the list builder and the slide show use the routines below them.

// The two-letter code of a list entry: the characters after the photo folder.
QString photoCode(const AppContext& c, const QString& entry);
// The file name of a list entry (everything after the photo folder).
QString photoFileName(const AppContext& c, const QString& entry);

// Shows list entry `position` in the main window: picture, number, file name, CurrentPhoto and
// PhotoIndex. False when it cannot be read; everything shown before then stays.
bool showPhotoEntry(AppContext& c, int position);

enum class StepResult
{
    Shown,   // the next photo of the selection is on show
    Failed,  // it could not be read: the previous one stays, the step passed over it
    NoPhoto, // the selection has no photo
};
// One photo of the selection (TopicCode) on or back, wrapping round at its ends.
StepResult stepForward(AppContext& c);
StepResult stepBackward(AppContext& c);

// A new selection (TopicCode) shows its first photo: the first step forward passes over it, the
// first step back goes to its last photo. Failed when that photo cannot be read (its file name
// is shown all the same), NoPhoto when the selection has none.
StepResult showSelectionStart(AppContext& c);
// The list was read again: the next step forward starts from the top of the list.
void photoListRebuilt(AppContext& c);
// The slide show walks the whole list with the cursor while it runs.
void moveSlideCursor(AppContext& c, int position);
// The slide show hands the slide at `position` to the main window, which steps on from it in
// either direction. False, with nothing changed, when it cannot be read.
bool handBackFromSlideShow(AppContext& c, int position);

} // namespace kv
