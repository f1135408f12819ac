#include "photos/first_photos.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/picture_read_ahead.h"
#include "app/topics.h"
#include "app/widgets/picture_view.h"
#include "platform/file_system.h"

#include <QSet>

namespace kv {

namespace {
// The files of the first entry of every code a choice can select, in one pass over the list.
QStringList firstEntries(const AppContext& c)
{
    const AppState& s = c.state;
    // Where the code stands in an entry, as choosing works it out.
    const qsizetype at = s.PhotoList(1).indexOf(PhotoFolder) + PhotoFolder.size();
    QSet<QString> seen;
    QStringList files;
    for (int i = 1; i <= s.PhotoCount; ++i) {
        const QString entry = s.PhotoList(i);
        const QString code = entry.mid(at, 2);
        if (seen.contains(code))
            continue;
        seen.insert(code);
        if (topicByCode(code))
            files << c.files().resolve(entry);
    }
    return files;
}
} // namespace

void keepFirstPhotos(AppContext& c)
{
    // Once the window has painted what is on show, so as not to compete with it.
    c.form1->Image4->afterShown([&c] {
        const QStringList firsts = firstEntries(c);
        Form1& f = *c.form1;
        f.photoPictures->keep(firsts, f.Image4->displayBox());
    });
}

} // namespace kv
