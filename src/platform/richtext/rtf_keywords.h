#pragma once

#include <QByteArrayView>

namespace kv::rtf {

// Control words the reader acts on. Everything else is ignored, as RTF requires.
#define KV_RTF_KEYWORDS(X) \
    /* destinations */ \
    X(rtf) X(fonttbl) X(colortbl) X(stylesheet) X(info) X(header) X(headerl) X(headerr) X(headerf) \
    X(footer) X(footerl) X(footerr) X(footerf) X(footnote) X(pict) X(shppict) X(nonshppict) X(object) \
    X(objdata) X(result) X(shp) X(shpinst) X(shprslt) X(field) X(fldinst) X(fldrslt) X(pntext) \
    X(listtext) X(pn) X(listtable) X(listoverridetable) X(revtbl) X(filetbl) X(xe) X(tc) X(tcn) \
    X(annotation) X(atnid) X(atnauthor) X(atndate) X(atnref) X(do) X(nonesttables) X(nesttableprops) \
    X(comment) X(template) X(ftnsep) X(ftnsepc) X(ftncn) X(aftnsep) X(aftnsepc) X(aftncn) X(pnseclvl) \
    X(txe) X(private) X(generator) X(themedata) X(colorschememapping) X(latentstyles) X(datastore) \
    X(rsidtbl) X(pgdsctbl) X(xmlnstbl) X(listpicture) X(objclass) X(objname) X(docvar) X(userprops) \
    X(bkmkstart) X(bkmkend) X(fchars) X(lchars) X(pgptbl) X(mmathPr) X(sp) X(sn) X(sv) \
    /* document */ \
    X(ansi) X(mac) X(pc) X(pca) X(ansicpg) X(deff) X(deftab) X(uc) X(u) \
    /* font and colour tables */ \
    X(f) X(fcharset) X(cpg) X(red) X(green) X(blue) \
    /* character formatting */ \
    X(plain) X(b) X(i) X(ul) X(uld) X(uldash) X(uldashd) X(uldashdd) X(uldb) X(ulth) X(ulw) X(ulwave) \
    X(ulnone) X(strike) X(striked) X(fs) X(cf) X(cb) X(chcbpat) X(highlight) X(super) X(sub) \
    X(nosupersub) X(caps) X(scaps) X(v) \
    /* paragraphs */ \
    X(pard) X(par) X(sect) X(line) X(tab) X(page) X(ql) X(qc) X(qr) X(qj) X(qd) X(li) X(ri) X(fi) \
    X(sb) X(sa) X(sl) X(slmult) X(keep) X(keepn) X(pagebb) X(tx) X(tb) X(tqr) X(tqc) X(tqdec) \
    X(intbl) X(itap) \
    /* tables */ \
    X(trowd) X(cellx) X(cell) X(row) X(nestcell) X(nestrow) X(trgaph) X(clbrdrt) X(clbrdrb) \
    X(clbrdrl) X(clbrdrr) X(trbrdrt) X(trbrdrb) X(trbrdrl) X(trbrdrr) X(trbrdrh) X(trbrdrv) \
    X(brdrs) X(brdrth) X(brdrdb) X(brdrdot) X(brdrdash) X(brdrsh) X(brdrnone) X(brdrnil) X(brdrtbl) \
    X(brdrt) X(brdrb) X(brdrl) X(brdrr) X(box) X(clmgf) X(clmrg) X(clvmgf) X(clvmrg) \
    /* pictures */ \
    X(pngblip) X(jpegblip) X(wmetafile) X(emfblip) X(macpict) X(dibitmap) X(wbitmap) X(pmmetafile) \
    X(picw) X(pich) X(picwgoal) X(pichgoal) X(picscalex) X(picscaley) \
    /* special characters */ \
    X(emdash) X(endash) X(emspace) X(enspace) X(qmspace) X(bullet) X(lquote) X(rquote) \
    X(ldblquote) X(rdblquote) X(zwj) X(zwnj) X(ltrmark) X(rtlmark)

enum class Kw : unsigned short {
    Unknown,
#define KV_RTF_ENUM(name) k_##name,
    KV_RTF_KEYWORDS(KV_RTF_ENUM)
#undef KV_RTF_ENUM
};

Kw lookupKeyword(QByteArrayView word);

} // namespace kv::rtf
