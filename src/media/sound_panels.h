#pragma once

#include <QFrame>

#include <array>

class QLabel;
class QPushButton;

namespace kv {

struct AppContext;
class PictureView;

struct SoundEntry
{
    QString label;
    QString file;
};
// The 29 sound effects in button order.
const std::array<SoundEntry, 29>& soundTable();
inline const QString SongFile = QStringLiteral("See The USA.wav");
inline const QString SoundFolder = QStringLiteral("/wav/");

// Plays a file of the disc's sound folder on the main window's device, closing the sound
// before; ER038 when it is missing or cannot play, and then the sound before plays on.
void PlaySound(AppContext& c, const QString& file);
// Ends the sound.
void StopSound(AppContext& c);

// The sound-effects panel laid over the photo: 29 small buttons in three columns, each with its
// label, and Stop and Close.
class SoundEffectsPanel : public QFrame
{
    Q_OBJECT
public:
    explicit SoundEffectsPanel(AppContext& context, QWidget* parent = nullptr);

    void SSCommand2_Click(int index);
    void SSCommand3_Click();
    void SSCommand1_Click();

    QLabel* Label10 = nullptr;
    std::array<QPushButton*, 29> SSCommand2{};
    std::array<QLabel*, 29> lblSound{};
    QPushButton* SSCommand3 = nullptr; // Stop
    QPushButton* SSCommand1 = nullptr; // Close
    PictureView* Picture5 = nullptr;

private:
    AppContext& m_context;
};

// The songs panel: one song, Stop and Close.
class SongsPanel : public QFrame
{
    Q_OBJECT
public:
    explicit SongsPanel(AppContext& context, QWidget* parent = nullptr);

    void ssSongs_Click(int index);
    void SSCommand10_Click();
    void SSCommand9_Click();

    QLabel* Label11 = nullptr;
    std::array<QPushButton*, 1> ssSongs{};
    QPushButton* SSCommand10 = nullptr; // Stop
    QPushButton* SSCommand9 = nullptr;  // Close
    PictureView* Picture1 = nullptr;

private:
    AppContext& m_context;
};

// The panels on the main window, once wireMedia has put them there.
SoundEffectsPanel* soundPanel(AppContext& c);
SongsPanel* songsPanel(AppContext& c);

void mnuSound_Click(AppContext& c);
void mnuUSA_Click(AppContext& c);

} // namespace kv
