#include "copies/copy_routines.h"

#include "app/app_context.h"
#include "app/copy_file.h"
#include "app/form1.h"
#include "app/layout_scale.h"
#include "app/widgets/flood_gauge.h"
#include "app/window_helpers.h"
#include "copies/copy_panel.h"
#include "copies/disc_guard.h"
#include "media/movie_list.h"
#include "photos/photo_list.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");
constexpr std::int64_t PhotoEstimate = 30000000;
constexpr std::int64_t MovieEstimate = 525000000;
constexpr std::int64_t PanelBlock = 25000;
const QString PhotoPattern = QStringLiteral("*.jpg");
const QString MoviePattern = QStringLiteral("*.avi");

// The name after the given folder piece in a path ("/Murvos/57053.JPG" gives "57053.JPG").
QString nameAfter(const QString& path, const QString& folder)
{
    const qsizetype at = path.lastIndexOf(folder, -1, Qt::CaseInsensitive);
    return at < 0 ? path.section(QLatin1Char('/'), -1) : path.mid(at + folder.size());
}

// While a copy runs the main window takes no input, yet the panel's gauges stay lively.
class MainWindowLock
{
public:
    explicit MainWindowLock(AppContext& c)
        : m_form(c.form1)
    {
        if (!m_form)
            return;
        m_form->menuBar()->setEnabled(false);
        for (QWidget* w : m_form->stage->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w != m_form->pnlProgress && w->isEnabled()) {
                w->setEnabled(false);
                m_disabled.push_back(w);
            }
        }
    }
    ~MainWindowLock()
    {
        if (!m_form)
            return;
        for (const QPointer<QWidget>& w : m_disabled) {
            if (w)
                w->setEnabled(true);
        }
        m_form->menuBar()->setEnabled(true);
    }
    MainWindowLock(const MainWindowLock&) = delete;
    MainWindowLock& operator=(const MainWindowLock&) = delete;

private:
    QPointer<Form1> m_form;
    std::vector<QPointer<QWidget>> m_disabled;
};

void finishMessage(AppContext& c, int failed, int total, const QString& done, const QString& kind,
                   const QString& note)
{
    AppState& s = c.state;
    if (failed == 0)
        s.MsgText = done + CrLf;
    else
        s.MsgText = QStringLiteral("%1 of %2 %3 could not be copied.").arg(failed).arg(total).arg(kind)
            + CrLf + CrLf + note;
    s.MsgAnswer = QString::number(c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Exclamation, ProductTitle));
}

// The lack-of-space report, for `needed` bytes when `have` are free.
void reportLackOfSpace(AppContext& c, std::int64_t have, std::int64_t needed)
{
    AppState& s = c.state;
    s.MsgText = QStringLiteral("Not enough available hard disk space to copy photos.") + CrLf + CrLf
        + QStringLiteral("Free some up and try again.") + CrLf + CrLf
        + QStringLiteral("You have:  ") + formatBytes(have) + QStringLiteral(" bytes") + CrLf + CrLf
        + QStringLiteral("You need:   ") + formatBytes(std::max<std::int64_t>(0, needed - have))
        + QStringLiteral(" bytes more") + CrLf + CrLf
        + QStringLiteral("For a total of:   ") + formatBytes(needed) + QStringLiteral(" bytes free.") + CrLf;
    s.MsgAnswer = QString::number(c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Critical, ProductTitle));
}

// Free bytes as the lack-of-space report counts them: units of 1024 bytes, times 1000.
std::int64_t freeForReport(AppContext& c)
{
    std::int64_t total = 0;
    std::int64_t free = 0;
    QString drive = QStringLiteral("E");
    GetDiskSpace(c, total, free, drive);
    return free * 1000;
}
} // namespace

QString localPhotoFolder(AppContext& c)
{
    return joinPath(c.files().dataDir(), PhotoFolder);
}

QString localMovieFolder(AppContext& c)
{
    return joinPath(c.files().dataDir(), MovieFolder);
}

QString formatBytes(std::int64_t bytes)
{
    if (bytes == 0)
        return {};
    QString digits = QString::number(bytes < 0 ? -bytes : bytes);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return bytes < 0 ? QLatin1Char('-') + digits : digits;
}

bool GetDiskSpace(AppContext& c, std::int64_t& total, std::int64_t& free, QString& drive)
{
    // Measured where the copies go, in 64 bits: the old 32-bit figure overflowed on large disks.
    // The data folder may not exist yet: measure the nearest folder that does.
    drive = c.files().nearestExisting(c.files().dataDir());
    const std::int64_t freeBytes = c.files().freeBytes(drive);
    const std::int64_t totalBytes = c.files().totalBytes(drive);
    if (freeBytes < 0 || totalBytes < 0) {
        total = free = 0;
        c.dialogs().messageBox(QStringLiteral("Internal GetDisk error!"), Buttons::Ok, Icon::None, ProductTitle);
        return false;
    }
    total = totalBytes / 1024;
    free = freeBytes / 1024;
    return true;
}

bool ShowCopyPanel(AppContext& c)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    CopyPanel& p = copyPanel(c);
    if (!s.CopyingPhotos) {
        p.Label2->setText(QStringLiteral("Copy Movies from CD-ROM to hard drive"));
        p.cmdCopy->setText(QStringLiteral("Copy Movies"));
        p.CopyEstimate = MovieEstimate;
    } else {
        p.CopyEstimate = PhotoEstimate;
        p.Label2->setText(QStringLiteral("Copy photos from CD-ROM to hard drive"));
        p.cmdCopy->setText(QStringLiteral("Copy Photos"));
    }
    p.CopyRemaining = p.CopyEstimate;

    // At the main window's scale, as the panel's controls are.
    const double scale = layoutScale(f.stage);
    const QRect exit(f.cmdExit->mapTo(f.stage, QPoint(0, 0)), f.cmdExit->size());
    const QSize size = CopyPanel::designSize() * scale;
    f.pnlProgress->setGeometry((exit.left() + exit.width() - size.width()) / 2,
                               f.cmdDesc->geometry().top() + qRound(60 / 15 * scale), size.width(), size.height());

    const std::int64_t have = freeForReport(c);
    if (have < p.CopyEstimate) {
        reportLackOfSpace(c, have, p.CopyEstimate);
        return false;
    }
    for (FloodGauge* g : {p.ProgressGuage, p.ProgressGuage2}) {
        g->setFloodPercent(0);
        g->setCaption(QStringLiteral("0"));
    }
    f.pnlProgress->show();
    f.pnlProgress->raise();
    p.cmdCopy->setEnabled(true);
    p.cmdCancel->setEnabled(true);
    p.cmdCancel->setFocus(Qt::OtherFocusReason);
    return true;
}

void AskCopyAgain(AppContext& c, const QString& folder)
{
    AppState& s = c.state;
    if (c.files().makeDir(folder))
        return;
    if (!c.files().exists(folder)) {
        // Asking to copy "again" into a folder that cannot exist would only fail file by file.
        s.MsgText = QStringLiteral("Unable to create the folder") + CrLf + QDir::toNativeSeparators(folder) + CrLf
            + CrLf + QStringLiteral("Make sure the hard drive is writeable.");
        c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Critical, ProductTitle);
        s.CopyDeclined = true;
        return;
    }
    // A folder without copies is what a copy cut short leaves: there is nothing to copy again.
    if (c.files().list(folder, s.CopyingPhotos ? PhotoPattern : MoviePattern).isEmpty())
        return;
    const QString question = QStringLiteral("These files have already been copied") + CrLf
        + QStringLiteral("to your hard drive.") + CrLf + CrLf + QStringLiteral("Would you like to copy them again?");
    const int answer = c.dialogs().messageBox(question, Buttons::OkCancel, Icon::Question, ProductTitle);
    s.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (answer != Ok)
        s.CopyDeclined = true;
}

namespace {
struct PanelRun
{
    int failed = 0;
    bool diskFull = false; // stopped at the first file that found no room
    bool discGone = false; // stopped at the first file after the disc went away (reported)
    bool stopped = false;  // the program is closing
};

// Whether the folder a failed file came from is gone or cannot be read: the disc has left.
bool sourceGone(AppContext& c, const QString& file)
{
    c.files().invalidate();
    const QString folder = QFileInfo(file).path();
    return !c.files().exists(folder) || !c.files().canList(folder);
}

// The panel's steps for each file of `jobs` (CopySource, CopyTarget, the file name, both
// gauges); `onStart` runs as each file begins. Each failure is reported as it happens, naming
// the file. A full disk, or a disc that has gone, ends the copy: the files after it would
// only fail the same way. `then` follows the run.
void copyWithPanel(AppContext& c, const QList<CopyJob>& jobs, const std::function<void(int)>& onStart,
                   std::function<void(const PanelRun&)> then)
{
    struct Progress
    {
        int current = -1;
        std::int64_t counted = 0;
        bool full = false;
        PanelRun run;
    };
    auto at = std::make_shared<Progress>();
    AppState& s = c.state;
    CopyPanel& p = copyPanel(c);
    auto begin = [&s, &p, at, jobs, onStart](int index) {
        at->current = index;
        at->counted = 0;
        at->full = false;
        s.CopySource = jobs.at(index).from;
        s.CopyTarget = jobs.at(index).to;
        if (onStart)
            onStart(index);
        p.showFile(QDir::toNativeSeparators(s.CopySource));
    };
    startCopies(c, jobs,
        [&p, at, begin](int index, std::int64_t done, std::int64_t size) {
            if (index != at->current)
                begin(index);
            const std::int64_t whole = size / PanelBlock;
            const std::int64_t reached = std::min(done, size) / PanelBlock;
            for (std::int64_t i = at->counted + 1; i <= reached; ++i) {
                p.ProgressGuage->setFloodWithCaption(double(PanelBlock * i) / double(size) * 100);
                p.CopyRemaining -= PanelBlock;
                p.ProgressGuage2->setFloodWithCaption(100 - double(p.CopyRemaining) / double(p.CopyEstimate) * 100);
            }
            at->counted = std::max(at->counted, reached);
            // The rest after the whole blocks does not move the gauges.
            if (!at->full && at->counted == whole) {
                at->full = true;
                p.ProgressGuage->setFloodWithCaption(100);
            }
        },
        [&c, &s, at, begin, jobs](int index, const CopyError* error) {
            if (index != at->current)
                begin(index);
            if (!error)
                return true;
            ++at->run.failed;
            if (error->kind == CopyError::NoSpace) {
                at->run.diskFull = true;
                return false;
            }
            const QString file = QDir::toNativeSeparators(jobs.at(index).from);
            if (sourceGone(c, jobs.at(index).from)) {
                at->run.discGone = true;
                s.MsgText = QStringLiteral("The CD-ROM can no longer be read, so the copy has stopped.") + CrLf
                    + CrLf + file + CrLf + error->text;
                c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Critical, ProductTitle);
                return false;
            }
            c.dialogs().messageBox(error->text + CrLf + CrLf + file, Buttons::Ok, Icon::None, ProductTitle);
            return true;
        },
        &p,
        [at, then = std::move(then)](bool ran) {
            at->run.stopped = !ran;
            then(at->run);
        });
}

// The hidden folder a copy fills before it takes the place of `target`.
QString stagingFolder(const QString& target)
{
    const QString clean = QDir::cleanPath(target);
    const qsizetype slash = clean.lastIndexOf(QLatin1Char('/'));
    return clean.left(slash + 1) + QLatin1Char('.') + clean.mid(slash + 1) + QStringLiteral(".partial/");
}

void discard(AppContext& c, const QString& folder)
{
    c.files().removeMatching(folder, QStringLiteral("*"));
    c.files().removeDir(folder);
}

struct FolderCopy
{
    QString source;
    QString target;
    QStringList names;
    QString pattern;
    QString kind;
    QString done;
    QString note;
};

// What follows the copy of a folder: the copy takes its place, or goes; then the report.
CopyEnd endFolderCopy(AppContext& c, const FolderCopy& f, const QString& staging, const PanelRun& run)
{
    AppState& s = c.state;
    IFileSystem& files = c.files();
    const int count = int(f.names.size());
    s.LoopIndex = static_cast<std::int16_t>(count + 1);
    // Files the list cannot name are on the disc all the same: they count as not copied.
    const QStringList unnamed = run.stopped || run.diskFull || run.discGone ? QStringList()
                                                                            : files.unnamedFiles(f.source, f.pattern);
    int failed = run.failed + int(unnamed.size());
    QString why;
    if (!run.stopped && failed == 0 && !files.moveFilesInto(staging, f.target, &why)) {
        failed = count;
        c.dialogs().messageBox(why, Buttons::Ok, Icon::None, ProductTitle);
    }
    if (run.stopped || failed > 0) {
        discard(c, staging);
        files.removeDir(f.target); // only when empty: a first copy leaves no folder behind
    }
    if (run.stopped) {
        c.busy().normal();
        return CopyEnd::Stopped;
    }
    if (!run.diskFull && !run.discGone)
        copyPanel(c).ProgressGuage2->setFloodWithCaption(100);
    c.busy().normal();
    if (run.discGone)
        return CopyEnd::Incomplete;
    if (run.diskFull) {
        std::int64_t needed = 0;
        for (const QString& name : f.names)
            needed += std::max<std::int64_t>(0, files.fileSize(f.source + name));
        reportLackOfSpace(c, freeForReport(c), needed);
    } else {
        QString after = f.note;
        if (!unnamed.isEmpty())
            after = QStringLiteral("These names cannot be read on this system:") + CrLf + unnamed.join(CrLf) + CrLf
                + CrLf + f.note;
        finishMessage(c, failed, count + int(unnamed.size()), f.done, f.kind, after);
    }
    return failed == 0 ? CopyEnd::Complete : CopyEnd::Incomplete;
}

// Copies the names of `f` from its source into its target through a hidden folder beside
// it, which becomes (or fills) the target only once every file is whole: nothing that reads
// the local copies (the next start, the movie window, the screen saver) can take part of a
// copy for all of it. Reports as it goes and at the end, then `then` follows.
void copyFolder(AppContext& c, const FolderCopy& f, std::function<void(CopyEnd)> then)
{
    AppState& s = c.state;
    IFileSystem& files = c.files();
    const QString staging = stagingFolder(f.target);
    discard(c, staging); // left by a copy that never ended
    if (!files.makeDir(staging)) {
        c.busy().normal();
        s.MsgText = QStringLiteral("Unable to create the folder") + CrLf + QDir::toNativeSeparators(f.target) + CrLf
            + CrLf + QStringLiteral("Make sure the hard drive is writeable.");
        c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Critical, ProductTitle);
        files.removeDir(f.target);
        then(CopyEnd::Incomplete);
        return;
    }
    QList<CopyJob> jobs;
    for (const QString& name : f.names)
        jobs.append(CopyJob{f.source + name, staging + name});
    // One worker runs through the whole list; LoopIndex follows the file under way.
    copyWithPanel(c, jobs,
        [&s, f](int index) {
            s.LoopIndex = static_cast<std::int16_t>(index + 1);
            s.CopyTarget = f.target + f.names.at(index);
        },
        [&c, f, staging, then = std::move(then)](const PanelRun& run) { then(endFolderCopy(c, f, staging, run)); });
}

// The main window takes no input until `then` has followed the copy.
void copyLocked(AppContext& c, FolderCopy f, std::function<void(CopyEnd)> then)
{
    auto lock = std::make_shared<MainWindowLock>(c);
    copyFolder(c, f, [&c, lock, then = std::move(then)](CopyEnd end) mutable {
        lock.reset();
        if (c.form1)
            c.form1->setEnabled(true);
        then(end);
    });
}
} // namespace

void CopyFileWithProgress(AppContext& c, std::function<void(bool copied)> then)
{
    copyWithPanel(c, {CopyJob{c.state.CopySource, c.state.CopyTarget}}, {},
        [then = std::move(then)](const PanelRun& run) { then(!run.stopped && run.failed == 0); });
}

void CopyAllPhotos(AppContext& c, std::function<void(CopyEnd)> then)
{
    AppState& s = c.state;
    c.busy().busy();
    s.PhotoDir = s.CdDrive;
    {
        MainWindowLock lock(c);
        BuildPhotoList(c);
    }
    if (c.ended) {
        c.busy().normal();
        then(CopyEnd::Stopped);
        return;
    }
    QStringList names;
    for (int i = 1; i <= s.PhotoCount; ++i)
        names.append(nameAfter(s.PhotoList(i), PhotoFolder));
    copyLocked(c,
               FolderCopy{joinPath(s.CdDrive, PhotoFolder), localPhotoFolder(c), names, PhotoPattern,
                          QStringLiteral("photos"), QStringLiteral("Photos successfully copied!"),
                          QStringLiteral("The photos will still be read from the CD-ROM.")},
               std::move(then));
}

void CopyAllMovies(AppContext& c, std::function<void(CopyEnd)> then)
{
    AppState& s = c.state;
    c.busy().busy();
    BuildMovieList(c);
    QStringList names;
    for (int i = 1; i <= s.MovieCount; ++i)
        names.append(s.MovieList(i));
    copyLocked(c,
               FolderCopy{joinPath(s.CdDrive, MovieFolder), localMovieFolder(c), names, MoviePattern,
                          QStringLiteral("movies"), QStringLiteral("Movies successfully copied!"),
                          QStringLiteral("Those movies will still play from the CD-ROM.")},
               std::move(then));
}

void mnuCopy_Click(AppContext& c)
{
    closePhotoWindow(c);
    if (refuseOnDiscFolder(c, QStringLiteral("photos"), PhotoFolder))
        return;
    copyPanel(c).showFile(QStringLiteral(" "));
    c.state.CopyingPhotos = true;
    ShowCopyPanel(c);
}

void mnuCopyMovies_Click(AppContext& c)
{
    closePhotoWindow(c);
    if (refuseOnDiscFolder(c, QStringLiteral("movies"), MovieFolder))
        return;
    copyPanel(c).showFile(QStringLiteral(" "));
    c.state.CopyingPhotos = false;
    ShowCopyPanel(c);
}

void cmdCopy_Click(AppContext& c)
{
    AppState& s = c.state;
    CopyPanel& p = copyPanel(c);
    const QString folder = s.CopyingPhotos ? localPhotoFolder(c) : localMovieFolder(c);
    p.cmdCopy->setEnabled(false);
    p.cmdCancel->setEnabled(false);
    s.CopyDeclined = false;
    AskCopyAgain(c, folder);
    if (s.CopyDeclined) {
        p.cmdCopy->setEnabled(true);
        p.cmdCancel->setEnabled(true);
        c.form1->pnlProgress->hide();
        emit p.copyEnded(CopyOutcome::Declined);
        return;
    }
    auto then = [&c](CopyEnd end) {
        if (c.ended)
            return;
        // Read from the local copy only when it is whole; otherwise photos would go missing.
        if (end == CopyEnd::Complete && c.state.CopyingPhotos) {
            c.state.PhotoDir = c.files().dataDir();
            BuildPhotoList(c);
        }
        c.form1->pnlProgress->hide();
        emit copyPanel(c).copyEnded(end == CopyEnd::Complete     ? CopyOutcome::Copied
                                    : end == CopyEnd::Incomplete ? CopyOutcome::Incomplete
                                                                 : CopyOutcome::Stopped);
    };
    if (s.CopyingPhotos)
        CopyAllPhotos(c, then);
    else
        CopyAllMovies(c, then);
}

void cmdCancel_Click(AppContext& c)
{
    CopyPanel& p = copyPanel(c);
    c.form1->pnlProgress->hide();
    emit p.copyEnded(CopyOutcome::Cancelled);
}

} // namespace kv
