#include "photos/photo_list.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "photos/photo_cursor.h"
#include "platform/file_system.h"

#include <algorithm>
#include <limits>

namespace kv {

void BuildPhotoList(AppContext& c)
{
    AppState& s = c.state;
    s.ErrCode = QStringLiteral("ER037");
    QString folder = s.PhotoDir + PhotoFolder;
    // A rebuild reads the folder again: photos may have come or gone since the last look.
    c.files().invalidate();
    if (!c.files().canList(folder)) {
        ErrorReporter(c, Failure::Caught);
        if (c.ended)
            return;
    }
    QStringList names = c.files().list(folder, QStringLiteral("*.jpg"));
    for (QString& n : names)
        n = n.toUpper();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    // The counters are 16-bit; a folder beyond that cannot be stepped through.
    const int limit = std::numeric_limits<std::int16_t>::max() - 1;
    if (names.size() > limit) {
        names.resize(limit);
        ErrorReporter(c, Failure::Caught);
        if (c.ended)
            return;
    }

    QStringList paths;
    QStringList numbers;
    paths.reserve(names.size());
    numbers.reserve(names.size());
    int number = 0;
    QStringView previous;
    for (const QString& name : names) {
        const QStringView code = QStringView(name).left(2);
        number = (paths.isEmpty() || code != previous) ? 1 : number + 1;
        previous = code;
        numbers.append(QString::number(number));
        paths.append(folder + name);
    }
    s.PhotoList.assign(std::move(paths));
    s.PhotoNumbers.assign(std::move(numbers));
    s.PhotoCount = static_cast<std::int16_t>(s.PhotoList.size());
    photoListRebuilt(c);
}

} // namespace kv
