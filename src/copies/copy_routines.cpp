#include "copies/copy_routines.h"

#include "app/app_context.h"
#include "app/copy_file.h"
#include "app/form1.h"
#include "app/widgets/flood_gauge.h"
#include "app/window_helpers.h"
#include "copies/copy_panel.h"
#include "media/movie_list.h"
#include "photos/photo_list.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <functional>
#include <vector>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");
constexpr std::int64_t PhotoEstimate = 30000000;
constexpr std::int64_t MovieEstimate = 525000000;
constexpr std::int64_t PanelBlock = 25000;

// The program folder doubles as the disc when started with "HWI": its photos and movies are
// then the title's own content, already on the hard drive.
bool programFolderIsDisc(AppContext& c)
{
    const QString program = QDir::cleanPath(c.files().dataDir());
    const QString disc = QDir::cleanPath(c.files().resolve(c.state.CdDrive));
    return !disc.isEmpty() && program == disc;
}

bool refuseOnDiscFolder(AppContext& c, const QString& what)
{
    if (!programFolderIsDisc(c))
        return false;
    c.state.MsgText = QStringLiteral("The Kel-Vardo Folivra is running from its own folder, which holds the ")
        + what + QStringLiteral(" already.") + CrLf + CrLf
        + QStringLiteral("There is nothing to copy or remove.");
    c.dialogs().messageBox(c.state.MsgText, Buttons::Ok, Icon::Exclamation, ProductTitle);
    return true;
}

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

void removeLocal(AppContext& c, const QString& folder, const QString& pattern)
{
    c.state.CopyTarget = folder + pattern;
    // Failures are skipped: whatever cannot go stays, and the folder with it.
    c.files().removeMatching(folder, pattern);
    c.files().removeDir(folder);
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
    drive = c.files().dataDir();
    // The data folder may not exist yet: measure the nearest folder that does.
    while (!c.files().exists(drive) && QDir(drive).cdUp())
        drive = QDir::cleanPath(drive + QStringLiteral("/.."));
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

    const QRect exit(f.cmdExit->mapTo(f.stage, QPoint(0, 0)), f.cmdExit->size());
    const QSize size = CopyPanel::designSize();
    f.pnlProgress->setGeometry((exit.left() + exit.width() - size.width()) / 2,
                               f.cmdDesc->geometry().top() + 60 / 15, size.width(), size.height());

    std::int64_t total = 0;
    std::int64_t free = 0;
    QString drive = QStringLiteral("E");
    GetDiskSpace(c, total, free, drive);
    const std::int64_t have = free * 1000;
    if (have < p.CopyEstimate) {
        s.MsgText = QStringLiteral("Not enough available hard disk space to copy photos.") + CrLf + CrLf
            + QStringLiteral("Free some up and try again.") + CrLf + CrLf
            + QStringLiteral("You have:  ") + formatBytes(have) + QStringLiteral(" bytes") + CrLf + CrLf
            + QStringLiteral("You need:   ") + formatBytes(p.CopyEstimate - have) + QStringLiteral(" bytes more")
            + CrLf + CrLf
            + QStringLiteral("For a total of:   ") + formatBytes(p.CopyEstimate) + QStringLiteral(" bytes free.")
            + CrLf;
        s.MsgAnswer = QString::number(c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::Critical, ProductTitle));
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
    const QString question = QStringLiteral("These files have already been copied") + CrLf
        + QStringLiteral("to your hard drive.") + CrLf + CrLf + QStringLiteral("Would you like to copy them again?");
    const int answer = c.dialogs().messageBox(question, Buttons::OkCancel, Icon::Question, ProductTitle);
    s.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (answer != Ok)
        s.CopyDeclined = true;
}

namespace {
// The panel's steps for each file of `jobs` (CopySource, CopyTarget, the file name, both
// gauges); `onStart` runs as each file begins. Returns how many failed (each reported).
int copyWithPanel(AppContext& c, const QList<CopyJob>& jobs, const std::function<void(int)>& onStart = {})
{
    AppState& s = c.state;
    CopyPanel& p = copyPanel(c);
    int current = -1;
    std::int64_t counted = 0;
    bool full = false;
    int failed = 0;
    QString shown;
    auto begin = [&](int index) {
        current = index;
        counted = 0;
        full = false;
        s.CopySource = jobs.at(index).from;
        s.CopyTarget = jobs.at(index).to;
        if (onStart)
            onStart(index);
        shown = QDir::toNativeSeparators(s.CopySource);
        p.Text1->setText(shown);
    };
    runBlockCopies(c, jobs,
        [&](int index, std::int64_t done, std::int64_t size) {
            if (index != current)
                begin(index);
            const std::int64_t whole = size / PanelBlock;
            const std::int64_t reached = std::min(done, size) / PanelBlock;
            for (std::int64_t i = counted + 1; i <= reached; ++i) {
                p.ProgressGuage->setFloodWithCaption(double(PanelBlock * i) / double(size) * 100);
                p.CopyRemaining -= PanelBlock;
                p.ProgressGuage2->setFloodWithCaption(100 - double(p.CopyRemaining) / double(p.CopyEstimate) * 100);
            }
            counted = std::max(counted, reached);
            // The rest after the whole blocks does not move the gauges.
            if (!full && counted == whole) {
                full = true;
                p.ProgressGuage->setFloodWithCaption(100);
            }
        },
        [&](int index, bool ok, const QString& error) {
            if (index != current)
                begin(index);
            if (ok)
                return;
            ++failed;
            c.dialogs().messageBox(error, Buttons::Ok, Icon::None, ProductTitle);
        });
    return failed;
}
} // namespace

bool CopyFileWithProgress(AppContext& c)
{
    return copyWithPanel(c, {CopyJob{c.state.CopySource, c.state.CopyTarget}}) == 0;
}

int CopyAllPhotos(AppContext& c)
{
    AppState& s = c.state;
    CopyPanel& p = copyPanel(c);
    c.busy().busy();
    int failed = 0;
    {
        MainWindowLock lock(c);
        s.PhotoDir = s.CdDrive;
        BuildPhotoList(c);
        if (c.ended) {
            c.busy().normal();
            return 0;
        }
        const QString target = localPhotoFolder(c);
        const QString source = joinPath(s.CdDrive, PhotoFolder);
        QList<CopyJob> jobs;
        for (int i = 1; i <= s.PhotoCount; ++i) {
            const QString name = nameAfter(s.PhotoList(i), PhotoFolder);
            jobs.append(CopyJob{source + name, target + name});
        }
        // One worker runs through the whole list; LoopIndex follows the file under way.
        failed = copyWithPanel(c, jobs, [&s](int index) { s.LoopIndex = static_cast<std::int16_t>(index + 1); });
        s.LoopIndex = static_cast<std::int16_t>(s.PhotoCount + 1);
        p.ProgressGuage2->setFloodWithCaption(100);
        c.busy().normal();
        finishMessage(c, failed, s.PhotoCount, QStringLiteral("Photos successfully copied!"),
                      QStringLiteral("photos"),
                      QStringLiteral("The photos will still be read from the CD-ROM."));
    }
    if (c.form1)
        c.form1->setEnabled(true);
    return failed;
}

int CopyAllMovies(AppContext& c)
{
    AppState& s = c.state;
    CopyPanel& p = copyPanel(c);
    c.busy().busy();
    int failed = 0;
    {
        MainWindowLock lock(c);
        const QString target = localMovieFolder(c);
        const QString source = joinPath(s.CdDrive, MovieFolder);
        BuildMovieList(c);
        QList<CopyJob> jobs;
        for (int i = 1; i <= s.MovieCount; ++i)
            jobs.append(CopyJob{source + s.MovieList(i), target + s.MovieList(i)});
        failed = copyWithPanel(c, jobs, [&s](int index) { s.LoopIndex = static_cast<std::int16_t>(index + 1); });
        s.LoopIndex = static_cast<std::int16_t>(s.MovieCount + 1);
        p.ProgressGuage2->setFloodWithCaption(100);
        c.busy().normal();
        finishMessage(c, failed, s.MovieCount, QStringLiteral("Movies successfully copied!"),
                      QStringLiteral("movies"), QStringLiteral("Those movies will still play from the CD-ROM."));
    }
    if (c.form1)
        c.form1->setEnabled(true);
    return failed;
}

void mnuCopy_Click(AppContext& c)
{
    closePhotoWindow(c);
    if (refuseOnDiscFolder(c, QStringLiteral("photos")))
        return;
    copyPanel(c).Text1->setText(QStringLiteral(" "));
    c.state.CopyingPhotos = true;
    ShowCopyPanel(c);
}

void mnuCopyMovies_Click(AppContext& c)
{
    closePhotoWindow(c);
    if (refuseOnDiscFolder(c, QStringLiteral("movies")))
        return;
    copyPanel(c).Text1->setText(QStringLiteral(" "));
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
    if (s.CopyingPhotos) {
        const int failed = CopyAllPhotos(c);
        if (c.ended)
            return;
        // Read from the local copy only when it is whole; otherwise photos would go missing.
        if (failed == 0) {
            s.PhotoDir = c.files().dataDir();
            BuildPhotoList(c);
        }
    } else {
        CopyAllMovies(c);
    }
    c.form1->pnlProgress->hide();
    s.CopyBusy = false;
    emit p.copyEnded(CopyOutcome::Copied);
}

void cmdCancel_Click(AppContext& c)
{
    CopyPanel& p = copyPanel(c);
    c.form1->pnlProgress->hide();
    emit p.copyEnded(CopyOutcome::Cancelled);
}

void mnuRemove_Click(AppContext& c)
{
    AppState& s = c.state;
    closePhotoWindow(c);
    if (refuseOnDiscFolder(c, QStringLiteral("photos")))
        return;
    const int answer = c.dialogs().messageBox(
        QStringLiteral("Would you like to remove all Kel-Vardo Folivra photos from your hard drive?"),
        Buttons::YesNo, Icon::Question, ProductTitle);
    s.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (answer != Yes)
        return;
    c.busy().busy();
    removeLocal(c, localPhotoFolder(c), QStringLiteral("*.jpg"));
    c.busy().normal();
    s.PhotoDir = s.CdDrive;
    s.MsgText = QStringLiteral("All Photos Successfully Removed!") + CrLf + CrLf
        + QStringLiteral("You must now exit and re-enter the Kel-Vardo Folivra to allow ") + CrLf
        + QStringLiteral("the software to find the photos on the cdrom drive.") + CrLf + CrLf
        + QStringLiteral("You must also re-install the Kel-Vardo Folivra Screen Saver ") + CrLf
        + QStringLiteral("if you have previously installed it.");
    c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::None, ProductTitle);
    if (c.form1)
        c.form1->close();
}

void mnuRemoveMovies_Click(AppContext& c)
{
    AppState& s = c.state;
    closePhotoWindow(c);
    if (refuseOnDiscFolder(c, QStringLiteral("movies")))
        return;
    const int answer = c.dialogs().messageBox(
        QStringLiteral("Would you like to remove all Kel-Vardo Folivra movies from your hard drive?"),
        Buttons::YesNo, Icon::Question, ProductTitle);
    s.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (answer != Yes)
        return;
    c.busy().busy();
    removeLocal(c, localMovieFolder(c), QStringLiteral("*.avi"));
    s.MsgText = QStringLiteral("All movies successfully removed!");
    c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::None, ProductTitle);
    c.busy().normal();
}

} // namespace kv
