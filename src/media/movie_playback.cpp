#include "media/frm_movie.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "platform/busy_pointer.h"
#include "platform/file_system.h"
#include "platform/media_device.h"

#include <QRadioButton>

namespace kv {

namespace {
// The movie window's device, kept for every opening while there is a main window.
IMediaDevice* sharedMovieDevice(AppContext& c)
{
    if (!c.form1)
        return nullptr;
    if (!c.movieDevice)
        c.movieDevice = c.media().create();
    return c.movieDevice.get();
}
} // namespace

void FrmMovie::attachDevice()
{
    m_device = sharedMovieDevice(m_context);
    if (!m_device) {
        m_ownDevice = m_context.media().create();
        m_device = m_ownDevice.get();
    }
    m_device->setDisplay(PicMovie);
    connect(MMControl1, &MovieBar::seekRequested, this, [this](qint64 ms) {
        if (m_device)
            m_device->seek(ms);
    });
    m_device->onProgress = [this] { showProgress(); };
    m_device->onError = [this](const QString&) {
        // The film broke off while playing: say so and offer the others.
        closeFilm();
        m_context.state.ErrCode = QStringLiteral("ER045");
        ErrorReporter(m_context, Failure::Caught);
    };
}

void FrmMovie::releaseDevice()
{
    if (!m_device)
        return;
    m_device->command(QStringLiteral("close"));
    // The device outlives this window: nothing of it may point here any more.
    m_device->setDisplay(nullptr);
    m_device->onProgress = nullptr;
    m_device->onError = nullptr;
    m_device = nullptr;
    m_ownDevice.reset();
}

void FrmMovie::closeFilm()
{
    if (m_device)
        m_device->command(QStringLiteral("close"));
    MMControl1->hide();
    MMControl1->setProgress(0, 0);
}

void FrmMovie::showProgress()
{
    if (m_device)
        MMControl1->setProgress(m_device->position(), m_device->duration());
}

void FrmMovie::optMovie_Click(int index)
{
    if (index < 0 || index >= int(movieTable().size()) || !m_device)
        return;
    AppState& s = m_context.state;
    IBusyPointer& busy = m_context.busy();
    busy.busy();
    s.ErrCode = QStringLiteral("ER045");
    PicMovie->show();
    setWindowTitle(MovieWindowCaption);
    const QString path = m_context.files().resolve(s.MovieDir + movieTable()[index].file);
    if (path.isEmpty()) {
        // The bar must not go on offering the film chosen before.
        closeFilm();
        busy.normal();
        ErrorReporter(m_context, Failure::Detected);
        return;
    }
    m_device->setWait(true);
    MMControl1->show();
    m_device->command(QStringLiteral("close"));
    m_device->setDeviceType(QStringLiteral("AVIVideo"));
    m_device->setFileName(path);
    m_opening = true;
    const bool opened = m_device->command(QStringLiteral("open"));
    m_opening = false;
    busy.normal();
    if (!opened) {
        closeFilm();
        ErrorReporter(m_context, Failure::Caught);
        return;
    }
    showProgress();
}

void FrmMovie::MMControl1_Click(MovieBar::Button button)
{
    if (!m_device)
        return;
    switch (button) {
    case MovieBar::Back: m_device->command(QStringLiteral("back")); break;
    case MovieBar::Next: m_device->command(QStringLiteral("next")); break;
    case MovieBar::Play: m_device->command(QStringLiteral("play")); break;
    case MovieBar::Stop:
        m_device->command(QStringLiteral("stop"));
        m_device->command(QStringLiteral("prev"));
        break;
    case MovieBar::Prev: m_device->command(QStringLiteral("prev")); break;
    case MovieBar::Pause: m_device->command(QStringLiteral("pause")); break;
    case MovieBar::Step: m_device->command(QStringLiteral("step")); break;
    case MovieBar::ButtonCount: break;
    }
    showProgress();
}

} // namespace kv
