#include "phrases/phrase_lookup.h"

#include "phrases/phrase_record.h"
#include "platform/gbk_codec.h"

namespace tessivo {

QString listToolTip(const QString& text) {
    return text.isEmpty() ? QString() : QStringLiteral("点击汉字得到五笔编码，并反查拼音。");
}

void PhraseLookup::start() {
    current_ = 1;
    loadCurrentRecord();
}

void PhraseLookup::loadCurrentRecord() {
    QByteArray bytes;
    if (!file_.readKey(current_, &bytes)) return;
    record_ = std::move(bytes);
    recordTextStale_ = true;
}

QString PhraseLookup::recordText() const {
    if (recordTextStale_) {
        recordText_ = PhraseRecord::decode(record_);
        recordTextStale_ = false;
    }
    return recordText_;
}

QString PhraseLookup::lowerProbe() const { return PhraseRecord::decode(probes_.lower); }

QString PhraseLookup::upperProbe() const { return PhraseRecord::decode(probes_.upper); }

// The first character of the current record is the whole of `character`. Keys decide almost
// always; only records with the same key are converted to text to confirm.
bool PhraseLookup::currentMatches(QStringView character, std::optional<std::int16_t> key) const {
    if (!key || record_.isEmpty() || gbk::keyOfBytes(record_) != *key) return false;
    return QStringView(recordText()).left(1) == character;
}

void PhraseLookup::previousRecord() {
    if (current_ < 2) return;
    --current_;
    loadCurrentRecord();
}

void PhraseLookup::nextRecord() {
    if (current_ >= file_.recordCount()) return;
    ++current_;
    loadCurrentRecord();
}

void PhraseLookup::backToMatch() {
    if (matchRecord_ < 1 || matchRecord_ > file_.recordCount()) return;
    current_ = static_cast<std::int16_t>(matchRecord_);
    loadCurrentRecord();
}

bool PhraseLookup::search(std::int16_t key) {
    const platform::KeySearchResult result = file_.search(key, probes_);
    if (result.record) current_ = static_cast<std::int16_t>(*result.record);
    found_ = result.found;
    return found_;
}

void PhraseLookup::buildList(QStringView character, std::optional<std::int16_t> key) {
    QString& list = pages_.words;
    list.clear();
    const auto matches = [&] { return currentMatches(character, key); };
    const auto append = [&] {
        const QString text = recordText();
        if (!text.isEmpty()) list += text.back();
        list += u' ';
    };
    if (found_) {
        matchRecord_ = current_;
        loadCurrentRecord();
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

PhraseLookupResult PhraseLookup::lookup(QStringView character) {
    const auto key = gbk::charKey(character);
    if (key) {
        search(*key);
    } else {
        found_ = false;
    }
    buildList(character, key);

    PhraseLookupResult result;
    result.found = found_;
    if (!pages_.words.isEmpty()) {
        // The quotient plus one, not the rounded-up quotient: a list of exactly one page's
        // length gets a second, blank page.
        pages_.pageCount = static_cast<int>(pages_.words.size() / PhrasePages::PageLength) + 1;
        pages_.page = 1;
        pages_.canPageBack = false;
        pages_.canPageForward = pages_.pageCount != 1;
    } else {
        pages_.pageCount = 0;
        pages_.canPageBack = false;
        pages_.canPageForward = false;
        result.clearCode3 = true;
    }
    pages_.words += QString(PhrasePages::Padding, u' ');
    showPage(1);
    return result;
}

void PhraseLookup::showPage(int page) {
    pages_.pageText = pages_.words.mid(qsizetype(page - 1) * PhrasePages::PageLength, PhrasePages::PageLength);
}

void PhraseLookup::previousPage() {
    if (!pages_.canPageBack) return;
    --pages_.page;
    pages_.canPageForward = true;
    if (pages_.page == 1) pages_.canPageBack = false;
    showPage(pages_.page);
}

void PhraseLookup::nextPage() {
    if (!pages_.canPageForward) return;
    ++pages_.page;
    pages_.canPageBack = true;
    if (pages_.page == pages_.pageCount) pages_.canPageForward = false;
    showPage(pages_.page);
}

}  // namespace tessivo
