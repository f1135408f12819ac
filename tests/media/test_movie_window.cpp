#include "app/form1.h"
#include "media/frm_movie.h"
#include "media/movie_list.h"
#include "support/fixture.h"

#include <QDir>
#include <QPointer>
#include <QSlider>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kv;

namespace {
const QStringList Films = {"55Motoramic.avi", "55Nosedive.avi", "56Parts.avi",
                           "57Safety.avi",    "57Murvo.avi",    "55SmokeyJoe.avi"};

// Option buttons take clicks on their circle and caption only.
void choose(QRadioButton* option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

struct Movies
{
    Fixture fx;
    QString disc;

    explicit Movies(const QStringList& onDisc = Films)
    {
        disc = fx.disc();
        fx.writePhotos(disc, {"55001.jpg", "56001.jpg"});
        for (const QString& name : onDisc)
            writeText(disc + "/movies/" + name, "RIFF film");
        fx.openMain(disc);
        fx.c->form1->show();
    }
    QStringList& log() { return *fx.t.media->log; }
    FakeDialogs& dialogs() { return *fx.t.dialogs; }
    // Opened non-modally so the test can drive it.
    FrmMovie* open()
    {
        FrmMovie* w = OpenMovieWindow(*fx.c);
        w->show();
        return w;
    }
};
} // namespace

class TestMovieWindow : public QObject
{
    Q_OBJECT
private slots:
    void opensFirstFilmWithoutPlayingThenSwitches()
    {
        Movies m;
        m.fx.c->state.NextYearButton = 2;
        QPointer<FrmMovie> w = m.open();
        QCOMPARE(w->windowTitle(), QString("Kel-Vardo Movies"));
        QVERIFY(w->isModal());
        QCOMPARE(w->pos(), QPoint((800 - w->width()) / 2, (600 - w->height()) / 2));
        QCOMPARE(m.log(), QStringList({"||close", "AVIVideo|" + m.disc + "/movies/55Motoramic.avi|open"}));
        QVERIFY(w->MMControl1->isVisible());
        QVERIFY(w->optMovie[0]->isChecked());
        QCOMPARE(m.fx.c->state.NextYearButton, std::int16_t(0));
        // Two columns: 0, 1, 5 on the left, 2, 3, 4 on the right.
        QCOMPARE(w->optMovie[5]->x(), w->optMovie[0]->x());
        QVERIFY(w->optMovie[5]->y() > w->optMovie[1]->y());
        QCOMPARE(w->optMovie[4]->x(), w->optMovie[2]->x());

        m.log().clear();
        choose(w->optMovie[4]);
        QCOMPARE(m.log(), QStringList({"AVIVideo|" + m.disc + "/movies/55Motoramic.avi|close",
                                       "AVIVideo|" + m.disc + "/movies/57Murvo.avi|open"}));
        QVERIFY(m.dialogs().boxes.isEmpty());
        QVERIFY(!m.fx.t.busy->isBusy());
        delete w.data();
    }

    void barButtonsSendTheirCommands_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("back") << int(MovieBar::Back) << QStringList{"back"};
        QTest::newRow("next") << int(MovieBar::Next) << QStringList{"next"};
        QTest::newRow("play") << int(MovieBar::Play) << QStringList{"play"};
        QTest::newRow("stop rewinds") << int(MovieBar::Stop) << QStringList{"stop", "prev"};
        QTest::newRow("pause") << int(MovieBar::Pause) << QStringList{"pause"};
        QTest::newRow("step") << int(MovieBar::Step) << QStringList{"step"};
    }
    void barButtonsSendTheirCommands()
    {
        QFETCH(int, button);
        QFETCH(QStringList, commands);
        Movies m;
        std::unique_ptr<FrmMovie> w(m.open());
        m.log().clear();
        QTest::mouseClick(w->MMControl1->button(MovieBar::Button(button)), Qt::LeftButton);
        QStringList sent;
        for (const QString& line : m.log())
            sent << line.section('|', 2);
        QCOMPARE(sent, commands);
    }

    void stopDuringPlaybackRewindsToTheStart()
    {
        Movies m;
        std::unique_ptr<FrmMovie> w(m.open());
        w->MMControl1_Click(MovieBar::Play);
        w->device()->seek(1200);
        QVERIFY(w->device()->isPlaying());
        w->MMControl1_Click(MovieBar::Stop);
        QVERIFY(!w->device()->isPlaying());
        QCOMPARE(w->device()->position(), 0);
        QCOMPARE(w->MMControl1->seekBar()->value(), 0);
    }

    void localCopiesServeEveryFilm()
    {
        // One local film is enough for the window to read all of them from the local folder.
        Movies m;
        writeText(m.fx.programDir() + "/Movies/57Murvo.avi", "RIFF local");
        std::unique_ptr<FrmMovie> w(m.open());
        QCOMPARE(m.fx.c->state.MovieDir, m.fx.programDir() + "/movies/");
        QCOMPARE(m.dialogs().boxes.size(), 1);
        QVERIFY(m.dialogs().lastText().contains("Error number: ER045"));
        QVERIFY(m.dialogs().lastText().contains(" Unable to load Kel-Vardo Movie."));
        QVERIFY(w->isVisible());
        QVERIFY(!w->MMControl1->isVisible());
        choose(w->optMovie[4]);
        QVERIFY(m.log().last().endsWith("/Movies/57Murvo.avi|open"));
        QVERIFY(w->MMControl1->isVisible());
    }

    void filmThatCannotOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a film") << QByteArray("<html>not a film</html>");
    }
    void filmThatCannotOpen()
    {
        QFETCH(QByteArray, bytes);
        Movies m({"55Motoramic.avi"});
        if (!bytes.isEmpty())
            writeText(m.disc + "/movies/56Parts.avi", bytes);
        std::unique_ptr<FrmMovie> w(m.open());
        choose(w->optMovie[2]);
        QCOMPARE(m.dialogs().boxes.size(), 1);
        QVERIFY(m.dialogs().lastText().startsWith("Error number: ER045"));
        // The bar no longer offers the film chosen before; the window stays usable.
        QVERIFY(!w->MMControl1->isVisible());
        QVERIFY(w->isVisible() && w->isEnabled());
        QVERIFY(!m.fx.t.busy->isBusy());
        choose(w->optMovie[0]);
        QVERIFY(w->MMControl1->isVisible());
    }

    void closingStopsTheFilmAndFreesTheDevice()
    {
        Movies m;
        m.fx.c->state.CurrentYearButton = 1;
        for (int round = 0; round < 3; ++round) {
            QPointer<FrmMovie> w = m.open();
            QCOMPARE(m.fx.c->frmMovie.data(), w.data());
            w->MMControl1_Click(MovieBar::Play);
            if (round == 0)
                QTest::mouseClick(w->SSCommand1, Qt::LeftButton);
            else
                w->close();
            QVERIFY(m.log().last().endsWith("|close"));
            QVERIFY(!w->device());
            QVERIFY(!m.fx.c->frmMovie);
            QVERIFY(m.fx.c->form1->isEnabled());
            if (round == 0)
                QTRY_VERIFY(m.fx.c->form1->cmdYR[2]->hasFocus());
            delete w.data();
        }
        // The main window's sound device and one movie device for every opening.
        QCOMPARE(m.fx.t.media->created, 2);
    }

    void codecInstallerOffer_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("installerOnDisc");
        QTest::addColumn<QString>("reported");
        QTest::newRow("No") << int(No) << true << QString();
        QTest::newRow("Yes, it runs") << int(Yes) << true << QString();
        QTest::newRow("Yes, missing") << int(Yes) << false << QString("ER003");
    }
    void codecInstallerOffer()
    {
        QFETCH(int, answer);
        QFETCH(bool, installerOnDisc);
        QFETCH(QString, reported);
        Movies m;
        if (installerOnDisc)
            writeText(m.disc + "/IndeoVideo/IV5PLAY.EXE", "MZ");
        m.dialogs().answers = {answer};
        m.fx.c->form1->mnuVideo->trigger();
        QCOMPARE(m.dialogs().boxes.first().text,
                 QString("If you are experiencing difficulties running the Kel-Vardo movies,\r\n"
                         "you may need to install the Intel Indeo Video Software.\r\n\r\n"
                         "Would you like to install this software now?"));
        QCOMPARE(int(m.dialogs().boxes.first().buttons), int(Buttons::YesNo));
        QCOMPARE(int(m.dialogs().boxes.first().icon), int(Icon::Question));
        QCOMPARE(m.fx.t.shell->commands.size(), answer == Yes && installerOnDisc ? 1 : 0);
        if (!m.fx.t.shell->commands.isEmpty())
            QCOMPARE(m.fx.t.shell->commands.first(), "\"" + m.disc + "/IndeoVideo/IV5PLAY.EXE\"");
        QCOMPARE(m.dialogs().boxes.size(), reported.isEmpty() ? 1 : 2);
        if (!reported.isEmpty())
            QVERIFY(m.dialogs().lastText().startsWith("Error number: " + reported));
        QVERIFY(m.fx.c->form1->isEnabled());
    }

    void installerFromTheWindowOpensItAfresh()
    {
        Movies m;
        writeText(m.disc + "/IndeoVideo/iv5play.exe", "MZ");
        m.dialogs().answers = {Yes};
        QList<QPointer<FrmMovie>> seen;
        std::function<void()> step = [&] {
            auto* w = qobject_cast<FrmMovie*>(m.fx.c->frmMovie.data());
            if (!w || !w->isVisible() || (!seen.isEmpty() && seen.last() == w)) {
                QTimer::singleShot(10, step);
                return;
            }
            seen << w;
            if (seen.size() == 1) {
                choose(w->optMovie[3]);
                w->SSCommand2_Click();
                QTimer::singleShot(10, step);
            } else {
                QVERIFY(w->optMovie[0]->isChecked());
                w->SSCommand1_Click();
            }
        };
        QTimer::singleShot(0, step);
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (auto* w = qobject_cast<FrmMovie*>(m.fx.c->frmMovie.data()))
                w->reject();
        });
        guard.start(10000);
        mnuMovies_Click(*m.fx.c);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(m.fx.t.shell->commands.size(), 1);
        // The second window opened the first film afresh.
        QVERIFY(m.log().filter("55Motoramic.avi|open").size() == 2);
    }

    void movieListTakesTheDiscsNames()
    {
        Movies m({"55Motoramic.avi", "Extra.AVI"});
        writeText(m.disc + "/movies/notes.txt", "not a film");
        AppState& s = m.fx.c->state;
        BuildMovieList(*m.fx.c);
        QStringList names = s.MovieList.items();
        names.sort();
        QCOMPARE(names, QStringList({"55Motoramic.avi", "Extra.AVI"}));
        QCOMPARE(s.MovieCount, std::int16_t(2));

        // A disc without movies leaves nothing for a copy to walk.
        QDir(m.disc + "/movies").removeRecursively();
        m.fx.t.files->invalidate();
        BuildMovieList(*m.fx.c);
        QCOMPARE(s.MovieCount, std::int16_t(0));
        QVERIFY(m.dialogs().boxes.isEmpty());

        // A folder that cannot be read: ER055 with Retry and Cancel; Cancel ends the program.
        m.fx.t.files->failDrive(m.disc);
        m.dialogs().answers = {Cancel};
        BuildMovieList(*m.fx.c);
        QCOMPARE(m.dialogs().boxes.size(), 1);
        QVERIFY(m.dialogs().lastText().startsWith("Error number: ER055"));
        QCOMPARE(int(m.dialogs().boxes.last().buttons), int(Buttons::RetryCancel));
        QVERIFY(m.fx.c->ended);
    }
};

QTEST_MAIN(TestMovieWindow)
#include "test_movie_window.moc"
