#pragma once

#include <QByteArrayView>

namespace rtf {

// The control words the reader acts on; every other word is Unknown and ignored.
#define RTF_WORDS(X) \
    X(ansi) X(mac) X(pc) X(pca) X(ansicpg) X(deff) X(fonttbl) X(colortbl) X(f) X(fcharset) X(cpg) X(red) X(green) X(blue) \
    X(plain) X(b) X(i) X(ul) X(uld) X(uldb) X(ulw) X(ulwave) X(uldash) X(ulth) X(ulnone) \
    X(strike) X(striked) X(fs) X(cf) X(highlight) X(cb) X(chcbpat) X(super) X(sub) X(nosupersub) X(v) \
    X(pard) X(par) X(sect) X(page) X(line) X(tab) X(ql) X(qc) X(qr) X(qj) \
    X(li) X(ri) X(lin) X(rin) X(fi) X(sb) X(sa) \
    X(cell) X(nestcell) X(row) X(nestrow) X(ls) X(ilvl) \
    X(pntext) X(listtext) X(pn) X(pntxta) X(pntxtb) X(pnlvlblt) X(pnlvlbody) X(pnlvlcont) X(pnf) \
    X(pndec) X(pnucltr) X(pnlcltr) X(pnucrm) X(pnlcrm) \
    X(u) X(uc) X(bin) \
    X(emdash) X(endash) X(bullet) X(lquote) X(rquote) X(ldblquote) X(rdblquote) \
    X(emspace) X(enspace) X(zwj) X(zwnj) \
    X(pict) X(shppict) X(nonshppict) X(pngblip) X(jpegblip) X(picw) X(pich) X(picwgoal) \
    X(pichgoal) X(picscalex) X(picscaley) \
    X(field) X(fldinst) X(fldrslt) \
    X(stylesheet) X(info) X(listtable) X(listoverridetable) X(revtbl) X(rsidtbl) X(generator) \
    X(header) X(headerl) X(headerr) X(headerf) X(footer) X(footerl) X(footerr) X(footerf) \
    X(footnote) X(annotation) X(atnid) X(atnauthor) X(objdata) X(themedata) X(colorschememapping) \
    X(latentstyles) X(datastore) X(xmlnstbl) X(filetbl) X(userprops) X(docvar) X(xe) X(tc) X(txe) \
    X(rxe) X(pnseclvl) X(listpicture) X(pgdsctbl) X(nonesttables)

enum class Word {
    Unknown,
#define RTF_WORD_ENUM(name) name,
    RTF_WORDS(RTF_WORD_ENUM)
#undef RTF_WORD_ENUM
};

Word lookupWord(QByteArrayView name);

} // namespace rtf
