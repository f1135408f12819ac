#include "platform/richtext/rtf_parser.h"

#include "platform/richtext/rtf_fields.h"

#include <QTextDocument>

namespace kv::rtf {

namespace {

bool flagOn(const Token &t) { return !t.hasParam || t.param != 0; }

int clampTw(int v) { return qBound(-31680, v, 31680); }

} // namespace

void Parser::handleWord(Kw kw, const Token &t)
{
    if (kw == Kw::Unknown)
        return;
    if (handleDestination(kw))
        return;

    switch (m_st.dest) {
    case Dest::FontTable:
        if (kw == Kw::k_f) {
            finishFontEntry();
            m_fontEntry = t.param;
        } else if (kw == Kw::k_fcharset && m_fontEntry >= 0) {
            if (m_fonts.size() < MaxFonts || m_fonts.contains(m_fontEntry))
                m_fonts[m_fontEntry].charset = t.param;
        } else if (kw == Kw::k_cpg && m_fontEntry >= 0) {
            if (m_fonts.size() < MaxFonts || m_fonts.contains(m_fontEntry))
                m_fonts[m_fontEntry].codePage = t.param;
        } else if (kw == Kw::k_u) {
            handleUnicode(t.param); // not part of the name, but its fallback must still be skipped
        }
        return;
    case Dest::ColorTable:
        if (kw == Kw::k_red || kw == Kw::k_green || kw == Kw::k_blue) {
            const int v = qBound(0, t.param, 255);
            (kw == Kw::k_red ? m_red : kw == Kw::k_green ? m_green : m_blue) = v;
            m_colorSet = true;
        }
        return;
    case Dest::Picture:
        handlePictureWord(kw, t);
        return;
    default:
        break;
    }

    switch (kw) {
    case Kw::k_ansi: m_docCodePage = 1252; m_cachedFont = -2; break;
    case Kw::k_mac: m_docCodePage = 10000; m_cachedFont = -2; break;
    case Kw::k_pc: m_docCodePage = 437; m_cachedFont = -2; break;
    case Kw::k_pca: m_docCodePage = 850; m_cachedFont = -2; break;
    case Kw::k_ansicpg:
        m_docCodePage = t.param > 0 ? t.param : 1252;
        m_cachedFont = -2;
        break;
    case Kw::k_deff:
        m_defaultFont = t.param;
        if (m_st.chr.font < 0)
            m_st.chr.font = t.param;
        break;
    case Kw::k_deftab:
        if (t.param > 0) {
            QTextOption option = m_doc->defaultTextOption();
            option.setTabStopDistance(qMin(t.param, 31680) / 15.0);
            m_doc->setDefaultTextOption(option);
        }
        break;
    case Kw::k_uc:
        m_st.unicodeSkip = qBound(0, t.param, MaxUnicodeSkip);
        break;
    case Kw::k_u:
        handleUnicode(t.param);
        break;
    case Kw::k_emdash: if (m_st.dest == Dest::Body) appendChar(0x2014); break;
    case Kw::k_endash: if (m_st.dest == Dest::Body) appendChar(0x2013); break;
    case Kw::k_emspace: if (m_st.dest == Dest::Body) appendChar(0x2003); break;
    case Kw::k_enspace: if (m_st.dest == Dest::Body) appendChar(0x2002); break;
    case Kw::k_qmspace: if (m_st.dest == Dest::Body) appendChar(0x2005); break;
    case Kw::k_bullet: if (m_st.dest == Dest::Body) appendChar(0x2022); break;
    case Kw::k_lquote: if (m_st.dest == Dest::Body) appendChar(0x2018); break;
    case Kw::k_rquote: if (m_st.dest == Dest::Body) appendChar(0x2019); break;
    case Kw::k_ldblquote: if (m_st.dest == Dest::Body) appendChar(0x201C); break;
    case Kw::k_rdblquote: if (m_st.dest == Dest::Body) appendChar(0x201D); break;
    case Kw::k_zwj: if (m_st.dest == Dest::Body) appendChar(0x200D); break;
    case Kw::k_zwnj: if (m_st.dest == Dest::Body) appendChar(0x200C); break;
    case Kw::k_ltrmark: if (m_st.dest == Dest::Body) appendChar(0x200E); break;
    case Kw::k_rtlmark: if (m_st.dest == Dest::Body) appendChar(0x200F); break;
    case Kw::k_tab: if (m_st.dest == Dest::Body) appendChar(u'\t'); break;
    case Kw::k_line: if (m_st.dest == Dest::Body) appendChar(0x2028); break;
    default:
        handleCharacterWord(kw, t);
        handleParagraphWord(kw, t);
        handleTableWord(kw, t);
        break;
    }
}

// Destination words change where the group's text goes. Returns true when kw was one.
bool Parser::handleDestination(Kw kw)
{
    switch (kw) {
    case Kw::k_fonttbl:
        m_st.dest = Dest::FontTable;
        m_fontEntry = -1;
        m_fontName.clear();
        return true;
    case Kw::k_colortbl:
        m_st.dest = Dest::ColorTable;
        m_colors.clear();
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
        return true;
    case Kw::k_stylesheet: case Kw::k_info: case Kw::k_header: case Kw::k_headerl:
    case Kw::k_headerr: case Kw::k_headerf: case Kw::k_footer: case Kw::k_footerl:
    case Kw::k_footerr: case Kw::k_footerf: case Kw::k_footnote: case Kw::k_nonshppict:
    case Kw::k_objdata: case Kw::k_shpinst: case Kw::k_pn: case Kw::k_listtable:
    case Kw::k_listoverridetable: case Kw::k_revtbl: case Kw::k_filetbl: case Kw::k_xe:
    case Kw::k_tc: case Kw::k_tcn: case Kw::k_annotation: case Kw::k_atnid:
    case Kw::k_atnauthor: case Kw::k_atndate: case Kw::k_atnref: case Kw::k_do:
    case Kw::k_nonesttables: case Kw::k_comment: case Kw::k_template: case Kw::k_ftnsep:
    case Kw::k_ftnsepc: case Kw::k_ftncn: case Kw::k_aftnsep: case Kw::k_aftnsepc:
    case Kw::k_aftncn: case Kw::k_pnseclvl: case Kw::k_txe: case Kw::k_private:
    case Kw::k_generator: case Kw::k_themedata: case Kw::k_colorschememapping:
    case Kw::k_latentstyles: case Kw::k_datastore: case Kw::k_rsidtbl: case Kw::k_pgdsctbl:
    case Kw::k_xmlnstbl: case Kw::k_listpicture: case Kw::k_objclass: case Kw::k_objname:
    case Kw::k_docvar: case Kw::k_userprops: case Kw::k_bkmkstart: case Kw::k_bkmkend:
    case Kw::k_fchars: case Kw::k_lchars: case Kw::k_pgptbl: case Kw::k_mmathPr:
    case Kw::k_sp: case Kw::k_sn: case Kw::k_sv:
        flushText();
        enterSkip();
        return true;
    case Kw::k_pict:
        if (m_st.dest == Dest::Picture)
            return true;
        if (m_st.dest != Dest::Body || m_st.ownsPicture) {
            enterSkip();
            return true;
        }
        m_st.dest = Dest::Picture;
        m_st.ownsPicture = true;
        m_pict = Picture{};
        return true;
    case Kw::k_object:
    case Kw::k_shp:
        if (m_st.dest == Dest::Body)
            m_st.dest = Dest::Container;
        return true;
    case Kw::k_result:
    case Kw::k_shprslt:
        if (m_st.dest == Dest::Container)
            m_st.dest = Dest::Body;
        return true;
    case Kw::k_field:
        if (!m_st.ownsField && int(m_fields.size()) < MaxFields) {
            m_fields.push_back({});
            m_st.ownsField = true;
        }
        return true;
    case Kw::k_fldinst:
        if (m_fields.empty() || (m_st.dest != Dest::Body && m_st.dest != Dest::FieldInst))
            enterSkip();
        else
            m_st.dest = Dest::FieldInst;
        return true;
    case Kw::k_fldrslt:
        if (m_st.dest == Dest::Body && !m_fields.empty()) {
            const QString target = hyperlinkTarget(m_fields.back().instruction);
            if (!target.isEmpty()) {
                m_links.append(target);
                m_st.chr.link = int(m_links.size()) - 1;
            }
        }
        return true;
    case Kw::k_shppict:
    case Kw::k_nesttableprops:
    case Kw::k_pntext:
    case Kw::k_listtext:
    case Kw::k_rtf:
        return true;
    default:
        return false;
    }
}

void Parser::handleCharacterWord(Kw kw, const Token &t)
{
    CharProps &c = m_st.chr;
    switch (kw) {
    case Kw::k_plain: {
        const int link = c.link;
        c = CharProps{};
        c.font = m_defaultFont;
        c.link = link; // the field result stays a link
        break;
    }
    case Kw::k_f: c.font = t.param; break;
    case Kw::k_fs: c.halfPoints = t.hasParam && t.param > 0 ? qMin(t.param, MaxHalfPoints) : 24; break;
    case Kw::k_b: c.bold = flagOn(t); break;
    case Kw::k_i: c.italic = flagOn(t); break;
    case Kw::k_strike:
    case Kw::k_striked: c.strike = flagOn(t); break;
    case Kw::k_v: c.hidden = flagOn(t); break;
    case Kw::k_ul: c.underline = flagOn(t) ? Underline::Single : Underline::None; break;
    case Kw::k_ulth: c.underline = flagOn(t) ? Underline::Single : Underline::None; break;
    case Kw::k_uldb: c.underline = flagOn(t) ? Underline::Double : Underline::None; break;
    case Kw::k_ulw: c.underline = flagOn(t) ? Underline::Words : Underline::None; break;
    case Kw::k_uld: c.underline = flagOn(t) ? Underline::Dotted : Underline::None; break;
    case Kw::k_uldash:
    case Kw::k_uldashd:
    case Kw::k_uldashdd: c.underline = flagOn(t) ? Underline::Dash : Underline::None; break;
    case Kw::k_ulwave: c.underline = flagOn(t) ? Underline::Wave : Underline::None; break;
    case Kw::k_ulnone: c.underline = Underline::None; break;
    case Kw::k_super: c.valign = flagOn(t) ? VAlign::Super : VAlign::Normal; break;
    case Kw::k_sub: c.valign = flagOn(t) ? VAlign::Sub : VAlign::Normal; break;
    case Kw::k_nosupersub: c.valign = VAlign::Normal; break;
    case Kw::k_caps: c.caps = flagOn(t) ? Caps::All : Caps::None; break;
    case Kw::k_scaps: c.caps = flagOn(t) ? Caps::Small : Caps::None; break;
    case Kw::k_cf: c.foreground = t.param > 0 ? t.param : (t.param == 0 ? 0 : -1); break;
    case Kw::k_cb:
    case Kw::k_chcbpat: c.background = t.param > 0 ? t.param : -1; break;
    case Kw::k_highlight: c.highlight = t.param > 0 ? t.param : -1; break;
    default: break;
    }
}

void Parser::handleParagraphWord(Kw kw, const Token &t)
{
    ParaProps &p = m_st.para;
    switch (kw) {
    case Kw::k_pard: p = ParaProps{}; break;
    case Kw::k_par:
    case Kw::k_sect:
        if (m_st.dest == Dest::Body)
            paragraphEnd();
        break;
    case Kw::k_page:
        if (m_st.dest == Dest::Body) {
            flushText();
            m_builder.pageBreak(p, p.tableLevel(), m_rowDef);
        }
        break;
    case Kw::k_ql: p.align = Align::Left; break;
    case Kw::k_qc: p.align = Align::Center; break;
    case Kw::k_qr: p.align = Align::Right; break;
    case Kw::k_qj:
    case Kw::k_qd: p.align = Align::Justify; break;
    case Kw::k_li: p.leftTw = clampTw(t.param); break;
    case Kw::k_ri: p.rightTw = clampTw(t.param); break;
    case Kw::k_fi: p.firstTw = clampTw(t.param); break;
    case Kw::k_sb: p.beforeTw = clampTw(t.param); break;
    case Kw::k_sa: p.afterTw = clampTw(t.param); break;
    case Kw::k_sl: p.lineTw = clampTw(t.param); break;
    case Kw::k_slmult: p.lineMultiple = flagOn(t); break;
    case Kw::k_pagebb: p.pageBreakBefore = flagOn(t); break;
    case Kw::k_tqr: p.nextTabType = QTextOption::RightTab; break;
    case Kw::k_tqc: p.nextTabType = QTextOption::CenterTab; break;
    case Kw::k_tqdec: p.nextTabType = QTextOption::DelimiterTab; break;
    case Kw::k_tx:
    case Kw::k_tb:
        if (p.tabs.size() < 64 && t.param > 0) {
            QTextOption::Tab tab(qMin(t.param, 31680), p.nextTabType);
            if (p.nextTabType == QTextOption::DelimiterTab)
                tab.delimiter = u'.';
            p.tabs.append(tab);
        }
        p.nextTabType = QTextOption::LeftTab;
        break;
    case Kw::k_intbl: p.inTable = flagOn(t); break;
    case Kw::k_itap: p.nestLevel = qBound(0, t.param, TableStack::MaxNesting); break;
    default: break;
    }
}

void Parser::handleTableWord(Kw kw, const Token &t)
{
    switch (kw) {
    case Kw::k_trowd:
        m_rowDef.reset();
        m_borderIsTable = true;
        break;
    case Kw::k_cellx:
        if (m_rowDef.cellRightTw.size() < TableStack::MaxColumns) {
            m_rowDef.cellRightTw.append(qBound(0, t.param, 31680 * 2));
            m_rowDef.cellMerge.append(m_rowDef.nextMerge);
        }
        m_rowDef.nextMerge = RowDef::Alone;
        break;
    case Kw::k_clmgf: m_rowDef.nextMerge |= RowDef::MergeFirst; break;
    case Kw::k_clmrg: m_rowDef.nextMerge |= RowDef::Merged; break;
    case Kw::k_clvmgf: m_rowDef.nextMerge |= RowDef::VMergeFirst; break;
    case Kw::k_clvmrg: m_rowDef.nextMerge |= RowDef::VMerged; break;
    case Kw::k_trgaph:
        m_rowDef.gapTw = t.param;
        break;
    case Kw::k_clbrdrt: case Kw::k_clbrdrb: case Kw::k_clbrdrl: case Kw::k_clbrdrr:
    case Kw::k_trbrdrt: case Kw::k_trbrdrb: case Kw::k_trbrdrl: case Kw::k_trbrdrr:
    case Kw::k_trbrdrh: case Kw::k_trbrdrv:
        m_borderIsTable = true;
        break;
    case Kw::k_brdrt: case Kw::k_brdrb: case Kw::k_brdrl: case Kw::k_brdrr: case Kw::k_box:
        m_borderIsTable = false;
        break;
    case Kw::k_brdrs: case Kw::k_brdrth: case Kw::k_brdrdb: case Kw::k_brdrdot:
    case Kw::k_brdrdash: case Kw::k_brdrsh:
        if (m_borderIsTable)
            m_rowDef.borders = true;
        break;
    case Kw::k_cell:
    case Kw::k_nestcell: {
        if (m_st.dest != Dest::Body)
            break;
        const int paraLevel = m_st.para.tableLevel();
        int level = kw == Kw::k_cell ? 1 : qMax(2, paraLevel);
        if (paraLevel == 0 && m_builder.tableDepth() == 0) {
            appendChar(u'\t'); // a cell mark outside any table still separates its text
            break;
        }
        if (kw == Kw::k_nestcell && paraLevel < 2 && m_builder.tableDepth() < 2)
            level = 1;
        flushText();
        m_builder.endCell(m_st.para, level, m_rowDef);
        break;
    }
    case Kw::k_row:
    case Kw::k_nestrow: {
        if (m_st.dest != Dest::Body)
            break;
        const int paraLevel = m_st.para.tableLevel();
        const int level = kw == Kw::k_row ? 1 : qMax(2, paraLevel);
        flushText();
        if (m_builder.tableDepth() == 0 && paraLevel == 0) {
            m_builder.endParagraph(m_st.para, charFormat(m_st.chr), 0, m_rowDef);
            break;
        }
        m_builder.endRow(level, m_rowDef);
        break;
    }
    default:
        break;
    }
}

void Parser::handlePictureWord(Kw kw, const Token &t)
{
    switch (kw) {
    case Kw::k_pngblip: m_pict.kind = PictureKind::Png; break;
    case Kw::k_jpegblip: m_pict.kind = PictureKind::Jpeg; break;
    case Kw::k_wmetafile: case Kw::k_emfblip: case Kw::k_macpict: case Kw::k_dibitmap:
    case Kw::k_wbitmap: case Kw::k_pmmetafile:
        m_pict.kind = PictureKind::Other;
        m_pict.data.clear();
        break;
    case Kw::k_picw: m_pict.widthPx = t.param; break;
    case Kw::k_pich: m_pict.heightPx = t.param; break;
    case Kw::k_picwgoal: m_pict.goalWidthTw = qBound(0, t.param, 31680 * 4); break;
    case Kw::k_pichgoal: m_pict.goalHeightTw = qBound(0, t.param, 31680 * 4); break;
    case Kw::k_picscalex: m_pict.scaleX = t.param; break;
    case Kw::k_picscaley: m_pict.scaleY = t.param; break;
    default: break;
    }
}

} // namespace kv::rtf
