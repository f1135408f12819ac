#include "browse/find_open.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/rich_text.h"
#include "app/widgets/picture_view.h"
#include "browse/find_index.h"
#include "browse/find_sources.h"
#include "browse/topic_selection.h"
#include "browse/txt_form.h"
#include "photos/photo_cursor.h"
#include "photos/saver_buttons.h"
#include "platform/richtext/rich_text_box.h"

#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace kv {

namespace {
// The text on show is matched again, so the selection fits it even if the file changed since
// it was read for the index.
void selectFirstMatch(RichTextBox* box, const FindQuery& query)
{
    FindIndex shown;
    shown.add(box->document()->toPlainText());
    shown.finish();
    const QList<FindIndex::Hit> hits = shown.search(query);
    if (hits.isEmpty())
        return;
    const WordSpan first = hits.first().first;
    QTextCursor cursor(box->document());
    cursor.setPosition(int(first.start));
    cursor.setPosition(int(first.start + first.length), QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    box->ensureCursorVisible();
}

bool openDocument(AppContext& c, const FindSource& source, const FindQuery& query)
{
    AppState& s = c.state;
    s.DocPath = source.path;
    s.DocTitle = source.caption;
    QPointer<TxtForm> viewer = new TxtForm(c, c.form1);
    if (!viewer->loadDocument(s.DocPath)) {
        delete viewer.data();
        return false;
    }
    selectFirstMatch(viewer->rtbText, query);
    c.txtForm = viewer.data();
    // Laid out at its final size once shown: bring the match into view again then.
    QTimer::singleShot(0, viewer, [viewer] { viewer->rtbText->ensureCursorVisible(); });
    viewer->raise();
    viewer->exec();
    delete viewer.data();
    return true;
}

bool openPhoto(AppContext& c, const FindSource& source, const FindQuery& query)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    int position = 0;
    for (int i = 1; i <= s.PhotoCount && position == 0; ++i) {
        if (s.PhotoList(i).section(QLatin1Char('/'), -1) == source.photo)
            position = i;
    }
    if (position == 0)
        return false;
    choosePhotoCode(c, source.photo.left(2));
    // Shown as a step back to it would: Next and Previous go on from here.
    if (s.PhotoIndex != position && !handBackFromSlideShow(c, position))
        return false;
    RefreshSaverButtons(c);
    if (!loadRichText(c, f.rtbDetails, source.path))
        return false;
    const QRect ad = f.cmdAd->geometry();
    f.rtbDetails->move(ad.x() + ad.width() - f.rtbDetails->width() - 10, f.Image4->y() + 9);
    f.rtbDetails->raise();
    f.rtbDetails->show();
    selectFirstMatch(f.rtbDetails, query);
    return true;
}
} // namespace

bool openFindHit(AppContext& c, const FindSource& source, const FindQuery& query)
{
    if (!c.form1)
        return false;
    return source.isPhoto() ? openPhoto(c, source, query) : openDocument(c, source, query);
}

} // namespace kv
