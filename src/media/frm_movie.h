#pragma once

#include "media/movie_bar.h"

#include <QDialog>

#include <array>
#include <memory>

class QFrame;
class QPushButton;
class QRadioButton;

namespace kv {

struct AppContext;
class IMediaDevice;
class PictureView;

struct MovieEntry
{
    QString caption;
    QString file;
};
// The six films in option-button order.
const std::array<MovieEntry, 6>& movieTable();
inline const QString MovieWindowCaption = QStringLiteral("Kel-Vardo Movies");

// The movie window: six option buttons choose a film, which opens on the bar's device and
// plays inside PicMovie. A new window is made for every opening. Its layout and closing live in
// frm_movie.cpp, the device behind the bar in movie_playback.cpp.
class FrmMovie : public QDialog
{
    Q_OBJECT
public:
    explicit FrmMovie(AppContext& context, QWidget* parent = nullptr);
    ~FrmMovie() override;

    // The opening steps: centred, bar hidden, first film opened without playing.
    void Form_Load();

    void optMovie_Click(int index);
    void MMControl1_Click(MovieBar::Button button);
    void SSCommand1_Click();
    void SSCommand2_Click();

    // The device of the bar; null once the window has closed.
    IMediaDevice* device() const { return m_device; }
    // Set when the codec installer ran and the window must open afresh.
    bool reopenRequested() const { return m_reopen; }

    std::array<QRadioButton*, 6> optMovie{};
    MovieBar* MMControl1 = nullptr;
    PictureView* PicMovie = nullptr;
    QPushButton* SSCommand1 = nullptr;
    QPushButton* SSCommand2 = nullptr;
    QFrame* SSPanel1 = nullptr;

public slots:
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Takes the main window's movie device (or one of its own) and shows films in PicMovie.
    void attachDevice();
    void closeFilm();
    void showProgress();
    void releaseDevice();

    AppContext& m_context;
    // One device serves every opening of the window; it lives as long as the main window.
    IMediaDevice* m_device = nullptr;
    std::unique_ptr<IMediaDevice> m_ownDevice; // only without a main window
    bool m_reopen = false;
    bool m_opening = false;
};

// Builds and loads the movie window without running it; the caller shows it.
FrmMovie* OpenMovieWindow(AppContext& c);
// "Movies": the photo window goes, MovieDir is set and the movie window runs modally
// (again, with the films opened afresh, after the codec installer ran from it).
void mnuMovies_Click(AppContext& c);

} // namespace kv
