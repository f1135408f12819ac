#pragma once

#include <QList>
#include <QTextOption>

#include <cstdint>

namespace kv::rtf {

// Where the text of a group goes.
enum class Dest : std::uint8_t {
    Body,       // shown
    Skip,       // ignored with everything inside it
    Container,  // own text ignored; a \result or \shprslt inside is shown
    FontTable,
    ColorTable,
    Picture,
    FieldInst,  // collected as the field's instruction
};

enum class Underline : std::uint8_t { None, Single, Double, Dotted, Dash, Wave, Words };
enum class VAlign : std::uint8_t { Normal, Super, Sub };
enum class Caps : std::uint8_t { None, All, Small };

struct CharProps {
    int font = -1;
    int halfPoints = 24;
    int foreground = -1; // colour-table index, -1 for automatic
    int background = -1;
    int highlight = -1;
    int link = -1;       // index of the hyperlink target
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    Underline underline = Underline::None;
    VAlign valign = VAlign::Normal;
    Caps caps = Caps::None;

    bool operator==(const CharProps &) const = default;
};

enum class Align : std::uint8_t { Left, Center, Right, Justify };

struct ParaProps {
    int leftTw = 0;
    int rightTw = 0;
    int firstTw = 0;
    int beforeTw = 0;
    int afterTw = 0;
    int lineTw = 0;
    bool lineMultiple = false;
    bool pageBreakBefore = false;
    bool inTable = false;
    int nestLevel = 0; // \itap
    Align align = Align::Left;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    QList<QTextOption::Tab> tabs; // positions in twips until converted

    // Depth of table nesting this paragraph belongs to; 0 outside tables.
    int tableLevel() const { return nestLevel > 0 ? nestLevel : (inTable ? 1 : 0); }
};

struct GroupState {
    CharProps chr;
    ParaProps para;
    Dest dest = Dest::Body;
    int unicodeSkip = 1;      // \ucN
    bool starPending = false; // saw \* and waits for the destination word
    bool ownsPicture = false; // this group opened \pict
    bool ownsField = false;   // this group opened \field
};

} // namespace kv::rtf
