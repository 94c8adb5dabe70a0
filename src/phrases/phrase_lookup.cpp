#include "phrases/phrase_lookup.h"

#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

namespace tessivo {

QString listToolTip(const QString& text) {
    return text.isEmpty() ? QString() : QStringLiteral("点击汉字得到五笔编码，并反查拼音。");
}

void PhraseLookup::start() {
    current_ = 1;
    display2();
}

void PhraseLookup::display2() {
    QByteArray bytes;
    if (!file_.readKey(current_, &bytes)) return;
    text7_ = std::move(bytes);
    text7Stale_ = true;
}

QString PhraseLookup::text7() const {
    if (text7Stale_) {
        text7Text_ = PhraseRecord::decode(text7_);
        text7Stale_ = false;
    }
    return text7Text_;
}

QString PhraseLookup::text31() const {
    return text31_.isNull() ? QStringLiteral("Text31") : PhraseRecord::decode(text31_);
}

QString PhraseLookup::text32() const {
    return text32_.isNull() ? QStringLiteral("Text32") : PhraseRecord::decode(text32_);
}

// The first character of the current record is the whole of text9. Keys decide almost always;
// only records with text9's key are converted to text to confirm.
bool PhraseLookup::currentMatches(QStringView text9, std::optional<std::int16_t> key9) const {
    if (!key9 || text7_.isEmpty() || gbk::keyOfBytes(text7_) != *key9) return false;
    return QStringView(text7()).left(1) == text9;
}

void PhraseLookup::previousRecord() {
    if (current_ < 2) return;
    --current_;
    display2();
}

void PhraseLookup::nextRecord() {
    if (current_ >= file_.recordCount()) return;
    ++current_;
    display2();
}

void PhraseLookup::backToMatch() {
    bool ok = false;
    const int n = text10_.toInt(&ok);
    if (!ok || n < 1 || n > file_.recordCount()) return;
    current_ = static_cast<std::int16_t>(n);
    display2();
}

bool PhraseLookup::search(std::int16_t key) {
    found_ = false;
    if (file_.recordCount() < 1) return false;
    int lo = 1;
    int hi = file_.recordCount();
    for (;;) {
        const auto kLo = file_.readKey(lo, &text31_);
        if (!kLo) return false;
        current_ = static_cast<std::int16_t>(lo);
        const auto kHi = file_.readKey(hi, &text32_);
        if (!kHi) return false;
        current_ = static_cast<std::int16_t>(hi);
        if (*kHi < key || key < *kLo) return false;
        if (*kLo < key && key < *kHi) {
            const int mid = lo + (hi - lo) / 2;
            const auto kMid = file_.readKey(mid, &text31_);
            if (!kMid) return false;
            current_ = static_cast<std::int16_t>(mid);
            if (*kMid < key) {
                lo = mid;
            } else if (key < *kMid) {
                hi = mid;
            } else {
                found_ = true;
                return true;
            }
        } else {
            current_ = static_cast<std::int16_t>(*kLo == key ? lo : hi);
            found_ = true;
            return true;
        }
        if (hi - lo == 1) return false;
    }
}

void PhraseLookup::buildList(QStringView text9, std::optional<std::int16_t> key9) {
    QString& list = pages_.text1;
    list.clear();
    const auto matches = [&] { return currentMatches(text9, key9); };
    const auto append = [&] {
        const QString text = text7();
        if (!text.isEmpty()) list += text.back();
        list += u' ';
    };
    if (found_) {
        text10_ = QString::number(current_);
        display2();
        append();
    }
    // Backwards from the match, then forwards from it; each scan ends at the first record that
    // does not begin with the character, or at the end of the file.
    do {
        if (current_ < 2) break;
        previousRecord();
        if (matches()) append();
    } while (matches());
    backToMatch();
    do {
        if (current_ >= file_.recordCount()) break;
        nextRecord();
        if (matches()) append();
    } while (matches());
}

PhraseLookupResult PhraseLookup::lookup(QStringView text9) {
    const auto key = gbk::charKey(text9);
    if (key) {
        search(*key);
    } else {
        found_ = false;
    }
    buildList(text9, key);

    PhraseLookupResult result;
    result.found = found_;
    if (!pages_.text1.isEmpty()) {
        pages_.label17 = QString::number(pages_.text1.size() / PhrasePages::PageLength + 1);
        pages_.label18 = QStringLiteral("1");
        pages_.command5Enabled = false;
        pages_.command7Enabled = pages_.label17 != u"1";
    } else {
        pages_.label17 = QStringLiteral("0");
        pages_.command5Enabled = false;
        pages_.command7Enabled = false;
        result.clearLabel6 = true;
    }
    pages_.text1 += QString(PhrasePages::Padding, u' ');
    showPage(1);
    return result;
}

void PhraseLookup::showPage(int page) {
    pages_.label16 = pages_.text1.mid(qsizetype(page - 1) * PhrasePages::PageLength, PhrasePages::PageLength);
    pages_.text3 = pages_.label16;
}

void PhraseLookup::previousPage() {
    if (!pages_.command5Enabled) return;
    const int page = pages_.label18.toInt() - 1;
    pages_.label18 = QString::number(page);
    pages_.command7Enabled = true;
    if (pages_.label18 == u"1") pages_.command5Enabled = false;
    showPage(page);
}

void PhraseLookup::nextPage() {
    if (!pages_.command7Enabled) return;
    const int page = pages_.label18.toInt() + 1;
    pages_.label18 = QString::number(page);
    pages_.command5Enabled = true;
    if (pages_.label18 == pages_.label17) pages_.command7Enabled = false;
    showPage(page);
}

}  // namespace tessivo
