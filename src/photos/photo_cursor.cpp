#include "photos/photo_cursor.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/picture_read_ahead.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "photos/first_photos.h"
#include "photos/photo_list.h"
#include "platform/file_system.h"

#include <QLabel>


#include <algorithm>
#include <utility>

namespace kv {

namespace {
// Every cursor value stays within 0..PhotoCount + 1 (one past the end), so the 16-bit fields
// cannot overflow even with the longest list; anything further means "past the end".
std::int16_t at(const AppState& s, int position)
{
    return static_cast<std::int16_t>(std::clamp(position, 0, s.PhotoCount + 1));
}

bool inSelection(const AppContext& c, int position)
{
    return photoCode(c, c.state.PhotoList(position)) == c.state.TopicCode;
}

// The entry the next step in the same direction will show, as the steps below search for it;
// 0 when there is none.
int nextInSelection(const AppContext& c, bool forward)
{
    const AppState& s = c.state;
    const int n = s.PhotoCount;
    if (n < 1)
        return 0;
    // Forward from the entry after the cursor, back from the cursor itself, wrapping round once.
    int from = forward ? s.PhotoCursor + 1 : s.PhotoCursor;
    if (from < 1 || from > n)
        from = forward ? 1 : n;
    bool skip = forward && s.SkipFirstMatch; // the photo a new selection shows
    for (int i = 0; i < n; ++i) {
        const int k = forward ? (from - 1 + i) % n + 1 : ((from - 1 - i) % n + n) % n + 1;
        if (inSelection(c, k) && !std::exchange(skip, false))
            return k;
    }
    return 0;
}

// Decoding takes most of a step: the photo after this one is decoded while the user looks.
// It starts once this step's picture is painted and sent to the screen, so that the decode does
// not compete with them for the processor.
void readAhead(AppContext& c, bool forward)
{
    c.form1->Image4->afterShown([&c, forward] {
        const int next = nextInSelection(c, forward);
        if (next < 1 || next == c.state.PhotoIndex)
            return;
        Form1& f = *c.form1;
        f.photoPictures->start(c.files().resolve(c.state.PhotoList(next)), f.Image4->displayBox());
    });
}
} // namespace

QString photoCode(const AppContext& c, const QString& entry)
{
    return entry.mid(c.state.PhotoNamePos - 1 + PhotoFolder.size(), 2);
}

QString photoFileName(const AppContext& c, const QString& entry)
{
    return entry.mid(c.state.PhotoNamePos - 1 + PhotoFolder.size());
}

bool showPhotoEntry(AppContext& c, int position)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    const QString entry = s.PhotoList(position);
    const QString real = c.files().resolve(entry);
    if (real.isEmpty())
        return false;
    // A choice's first photo is kept ready; a step's was read ahead.
    const DisplayPicture picture = f.photoPictures->picture(real, f.Image4->displayBox());
    if (picture.decoded.isNull())
        return false;
    f.Image4->setImage(picture.decoded, picture.display);
    f.Image4->show();
    f.panPhoto->setText(s.PhotoNumbers(position));
    if (s.ShowFileNames)
        f.txtFile->setText(photoFileName(c, entry).left(12));
    s.CurrentPhoto = entry;
    s.PhotoIndex = at(s, position);
    return true;
}

StepResult stepForward(AppContext& c)
{
    AppState& s = c.state;
    if (s.LastStepPrevious) {
        s.LastStepPrevious = false;
        // After a Previous the cursor stands one before the shown photo; after a failed one,
        // before the photo it passed over, so start from the photo still shown.
        s.PhotoCursor = s.LastStepFailed ? s.PhotoIndex : at(s, s.PhotoCursor + 1);
    }
    s.LastStepNext = true;
    s.LastStepFailed = false;
    // Once from the cursor, once more from the top: a selection without photos ends here.
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = s.PhotoCursor; k <= s.PhotoCount; ++k) {
            if (!inSelection(c, k + 1))
                continue;
            if (s.SkipFirstMatch) {
                s.SkipFirstMatch = false;
                continue;
            }
            // On failure the cursor stays on the unreadable photo, so the next step passes it.
            s.PhotoCursor = at(s, k + 1);
            s.LastStepFailed = !showPhotoEntry(c, k + 1);
            if (s.LastStepFailed)
                return StepResult::Failed;
            readAhead(c, true);
            return StepResult::Shown;
        }
        s.PhotoCursor = 0;
    }
    return StepResult::NoPhoto;
}

StepResult stepBackward(AppContext& c)
{
    AppState& s = c.state;
    s.SkipFirstMatch = false;
    if (s.LastStepNext)
        s.PhotoCursor = s.LastStepFailed ? at(s, s.PhotoIndex - 1) : at(s, s.PhotoCursor - 1);
    s.LastStepPrevious = true;
    s.LastStepNext = false;
    s.LastStepFailed = false;
    if (s.PhotoCursor < 1)
        s.PhotoCursor = s.PhotoCount;
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = s.PhotoCursor; k >= 1; --k) {
            if (!inSelection(c, k))
                continue;
            // On failure too the cursor passes the unreadable photo, so the next step back moves on.
            s.PhotoCursor = at(s, k - 1);
            s.LastStepFailed = !showPhotoEntry(c, k);
            if (s.LastStepFailed)
                return StepResult::Failed;
            readAhead(c, false);
            return StepResult::Shown;
        }
        s.PhotoCursor = s.PhotoCount;
    }
    return StepResult::NoPhoto;
}

namespace {
void selectionShown(AppContext& c, int position)
{
    AppState& s = c.state;
    s.PhotoIndex = at(s, position);
    s.PhotoCursor = 0;
    s.SkipFirstMatch = true;
    s.LastStepNext = false;
    s.LastStepPrevious = false;
    s.LastStepFailed = false;
    // Most often the next thing a user does after choosing is Next, or another choice.
    if (position >= 1 && position <= s.PhotoCount && c.form1)
        readAhead(c, true);
    if (c.form1)
        keepFirstPhotos(c);
}
} // namespace

StepResult showSelectionStart(AppContext& c)
{
    AppState& s = c.state;
    int first = 1;
    while (first <= s.PhotoCount && !inSelection(c, first))
        ++first;
    if (first > s.PhotoCount) {
        selectionShown(c, first);
        return StepResult::NoPhoto;
    }
    s.CurrentPhoto = s.PhotoList(first);
    if (s.ShowFileNames)
        c.form1->txtFile->setText(photoFileName(c, s.CurrentPhoto).left(12));
    const bool shown = showPhotoEntry(c, first);
    selectionShown(c, first);
    return shown ? StepResult::Shown : StepResult::Failed;
}

void photoListRebuilt(AppContext& c)
{
    AppState& s = c.state;
    s.PhotoCursor = at(s, s.PhotoCount + 1);
    s.LastStepNext = false;
    s.LastStepPrevious = false;
    s.LastStepFailed = false;
    if (c.form1)
        keepFirstPhotos(c);
    // The shown photo keeps its place under its new position, or has none in the new list.
    const QString shown = s.CurrentPhoto.section(QLatin1Char('/'), -1);
    s.PhotoIndex = 0;
    for (int i = 1; !shown.isEmpty() && i <= s.PhotoCount; ++i) {
        if (s.PhotoList(i).section(QLatin1Char('/'), -1) == shown) {
            s.PhotoIndex = at(s, i);
            break;
        }
    }
}

void moveSlideCursor(AppContext& c, int position)
{
    c.state.PhotoCursor = at(c.state, position);
    c.state.LastStepFailed = false;
}

bool handBackFromSlideShow(AppContext& c, int position)
{
    AppState& s = c.state;
    if (!showPhotoEntry(c, position))
        return false;
    // As after a Previous: the cursor one before the shown photo.
    s.PhotoCursor = at(s, position - 1);
    s.SkipFirstMatch = false;
    s.LastStepNext = false;
    s.LastStepPrevious = true;
    s.LastStepFailed = false;
    return true;
}

} // namespace kv
