#pragma once

#include "app/topics.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kv {

// A list counted from 1. Reading outside it gives an empty text, which is what the
// stepping code expects at position count + 1.
class List1
{
public:
    QString operator()(int position) const
    {
        return position >= 1 && position <= m_items.size() ? m_items.at(position - 1) : QString();
    }
    void set(int position, const QString& value);
    void append(const QString& value) { m_items.append(value); }
    void clear() { m_items.clear(); }
    int size() const { return int(m_items.size()); }
    const QStringList& items() const { return m_items; }
    void assign(QStringList items) { m_items = std::move(items); }

private:
    QStringList m_items;
};

// The one record all windows share. Field names keep the product's vocabulary.
struct AppState
{
    bool CopyingPhotos = false;
    bool CopyDeclined = false;
    std::int16_t MovieCount = 0;
    List1 MovieList;
    QString MovieDir;
    bool ShowFileNames = false;
    bool TopicChosen = false;
    std::int16_t PhotoCursor = 0;
    std::int16_t PhotoIndex = 0;
    std::int16_t PhotoNamePos = 0;
    std::int16_t QuestionAnswer = 0;
    std::int16_t NextYearButton = 0;
    QString SoundPath;
    bool AwaitingFirstClick = false;
    std::int16_t CurrentYearButton = 0;
    QString TopicCode;
    QString CopySource;
    QString CopyTarget;
    std::int16_t LoopIndex = 0;
    QString DocPath;
    QString MsgAnswer;
    QString MsgText;
    QString DocTitle;
    QString ErrCode;
    QString PhotoDir;
    QString CdDrive;
    QString CurrentPhoto;
    bool SkipFirstMatch = false;
    bool LastStepNext = false;
    bool LastStepPrevious = false;
    bool SlideShowRunning = false;
    std::int16_t PhotoCount = 0;
    std::int32_t SlideDelay = 0;
    List1 PhotoList;
    List1 PhotoNumbers;
    // The year or topic chosen, whose caption panYear shows; set through setSelection().
    TopicChoice Selection;
    // The last photo step could not show its photo: a step the other way starts from the
    // photo still shown. Written by the photo cursor only.
    bool LastStepFailed = false;
    // Page viewer: the page shown (99 right after brochures open), pages found, which set.
    std::int16_t PageIndex = 0;
    std::int16_t PageCount = 0;
    bool BrochureMode = false;

    void reset() { *this = AppState{}; }
};

// The photo folder inside a photo root, in the form every photo path carries.
inline const QString PhotoFolder = QStringLiteral("/Murvos/");

} // namespace kv
