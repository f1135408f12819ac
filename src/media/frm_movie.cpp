#include "media/frm_movie.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/title_widgets.h"
#include "app/window_helpers.h"
#include "media/movie_list.h"
#include "media/movie_media_controls.h"
#include "media/video_software.h"
#include "platform/media_device.h"
#include "platform/screen.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace kv {

const std::array<MovieEntry, 6>& movieTable()
{
    static const std::array<MovieEntry, 6> table = {{
        {QStringLiteral("1955 Motoramic"), QStringLiteral("55Motoramic.avi")},
        {QStringLiteral("1955 \"Nosedive\""), QStringLiteral("55Nosedive.avi")},
        {QStringLiteral("1956 Parts"), QStringLiteral("56Parts.avi")},
        {QStringLiteral("1957 Safety Features"), QStringLiteral("57Safety.avi")},
        {QStringLiteral("1957 Murvo"), QStringLiteral("57Murvo.avi")},
        {QStringLiteral("1955 \"Smokey Joe\""), QStringLiteral("55SmokeyJoe.avi")},
    }};
    return table;
}

FrmMovie::FrmMovie(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmMovie"));
    setWindowTitle(MovieWindowCaption);
    setModal(true);
    setFixedSize(540, 456);

    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setGeometry(10, 10, 520, 92);
    // Indices 0, 1, 5 down the left column, 2, 3, 4 down the right.
    static const std::array<QPoint, 6> cells = {
        {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {0, 2}}};
    for (int i = 0; i < 6; ++i) {
        auto* o = new QRadioButton(movieTable()[i].caption, SSPanel1);
        o->setObjectName(QStringLiteral("optMovie_%1").arg(i));
        o->setGeometry(16 + cells[i].x() * 252, 6 + cells[i].y() * 28, 240, 24);
        connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optMovie_Click(i);
        });
        optMovie[i] = o;
    }

    PicMovie = new PictureView(this);
    PicMovie->setObjectName(QStringLiteral("PicMovie"));
    PicMovie->setGeometry(110, 112, 320, 240);
    PicMovie->setPainted([](const QSize& box) { return moviePicture(box, MovieWindowCaption); });
    PicMovie->setAccessibleName(QStringLiteral("Movie"));

    MMControl1 = new MovieBar(this);
    MMControl1->setObjectName(QStringLiteral("MMControl1"));
    MMControl1->setGeometry(10, 362, 520, 36);

    SSCommand2 = makeButton(this, QStringLiteral("SSCommand2"), QStringLiteral("Help"), QRect(10, 410, 120, 34));
    SSCommand1 = makeButton(this, QStringLiteral("SSCommand1"), QStringLiteral("Exit"), QRect(410, 410, 120, 34));

    setTabOrder(optMovie[0], optMovie[1]);
    setTabOrder(optMovie[1], optMovie[5]);
    setTabOrder(optMovie[5], optMovie[2]);
    setTabOrder(optMovie[2], optMovie[3]);
    setTabOrder(optMovie[3], optMovie[4]);
    setTabOrder(optMovie[4], MMControl1->button(MovieBar::Prev));
    setTabOrder(MMControl1->seekBar(), SSCommand2);
    setTabOrder(SSCommand2, SSCommand1);

    connect(MMControl1, &MovieBar::clicked, this, &FrmMovie::MMControl1_Click);
    connect(SSCommand1, &QPushButton::clicked, this, &FrmMovie::SSCommand1_Click);
    connect(SSCommand2, &QPushButton::clicked, this, &FrmMovie::SSCommand2_Click);

    attachDevice();
}

FrmMovie::~FrmMovie()
{
    releaseDevice();
}

void FrmMovie::Form_Load()
{
    const QSize screen = m_context.screen().sizePixels();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    MMControl1->hide();
    PicMovie->show();
    {
        const QSignalBlocker block(optMovie[0]);
        optMovie[0]->setChecked(true);
    }
    optMovie_Click(0);
    m_context.state.NextYearButton = 0;
    optMovie[0]->setFocus(Qt::OtherFocusReason);
}

void FrmMovie::SSCommand1_Click()
{
    done(QDialog::Accepted);
    FocusNextYearButton(m_context);
}

void FrmMovie::SSCommand2_Click()
{
    QPointer<FrmMovie> self(this);
    OfferVideoSoftware(m_context, [self](bool installed) {
        // The window may have closed while the installer ran.
        if (!installed || !self || !self->isVisible())
            return;
        // Open afresh so the films load with the new codec.
        self->m_reopen = true;
        self->done(QDialog::Rejected);
    });
}

void FrmMovie::closeEvent(QCloseEvent* event)
{
    // The device is busy opening a film; the window closes once it has answered.
    if (m_opening) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FrmMovie::done(int result)
{
    // Whatever closes the window stops the film and frees the device.
    releaseDevice();
    if (m_context.frmMovie == this)
        m_context.frmMovie = nullptr;
    QDialog::done(result);
    if (m_context.form1) {
        m_context.form1->setEnabled(true);
        m_context.form1->activateWindow();
    }
}

FrmMovie* OpenMovieWindow(AppContext& c)
{
    closePhotoWindow(c);
    SetMovieDir(c);
    auto* w = new FrmMovie(c, c.form1);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    c.frmMovie = w;
    w->Form_Load();
    publishMovieWindow(c, w);
    return w;
}

void mnuMovies_Click(AppContext& c)
{
    bool again = true;
    while (again) {
        QPointer<FrmMovie> w = OpenMovieWindow(c);
        w->raise();
        w->exec();
        again = w && w->reopenRequested() && !c.ended;
        delete w.data();
    }
}

} // namespace kv
