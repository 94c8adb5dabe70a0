#include "codes/phrase_order.h"

#include "codes/record_files.h"
#include "common/common.h"
#include "phrases/phrase_file.h"
#include "phrases/phrase_lookup.h"
#include "platform/gbk_codec.h"

#include <QTemporaryDir>
#include <QDir>

namespace tessivo::datagen {
namespace {

struct Group {
    QString first;
    int start = 0;  // index of the group's first word
    int end = 0;    // one past its last word
};

std::vector<Group> groupsOf(const std::vector<QString>& words) {
    std::vector<Group> groups;
    for (int i = 0; i < static_cast<int>(words.size()); ++i) {
        const QString first = words[i].left(1);
        if (groups.empty() || groups.back().first != first) groups.push_back({first, i, i});
        groups.back().end = i + 1;
    }
    return groups;
}

// Runs the program's own phrase lookup over `words` written as a file: `visit(group, lookup)`
// after the lookup of each group's first character.
template <class Visit>
void lookUpEachGroup(const std::vector<QString>& words, const std::vector<Group>& groups, Visit visit) {
    QTemporaryDir dir;
    if (!dir.isValid()) throw GenError(QStringLiteral("cannot create a temporary folder"));
    const QString path = QDir(dir.path()).filePath(QStringLiteral("wwbb11cz.dat"));
    writeFileAtomically(path, buildPhraseFile(words));
    PhraseFile file;
    if (!file.open(path)) throw GenError(file.errorString());
    PhraseLookup lookup(file);
    lookup.start();
    for (const Group& g : groups) {
        lookup.lookup(g.first);
        visit(g, lookup);
    }
}

}  // namespace

std::vector<QString> arrangeForLookup(const std::vector<QString>& ranked) {
    const std::vector<Group> groups = groupsOf(ranked);
    // Where the search lands depends only on the first characters, so one pass over the ranked
    // file finds it for every group.
    std::vector<QString> arranged(ranked.size());
    lookUpEachGroup(ranked, groups, [&](const Group& g, const PhraseLookup& lookup) {
        if (!lookup.phraseFound()) throw GenError(QStringLiteral("the words of %1 are not found").arg(g.first));
        const int landing = lookup.matchRecord() - 1;  // record numbers count from 1
        int r = g.start;
        arranged[landing] = ranked[r++];
        for (int i = landing - 1; i >= g.start; --i) arranged[i] = ranked[r++];
        for (int i = landing + 1; i < g.end; ++i) arranged[i] = ranked[r++];
    });
    lookUpEachGroup(arranged, groups, [&](const Group& g, const PhraseLookup& lookup) {
        QString expected;
        for (int i = g.start; i < g.end; ++i) expected += ranked[i].right(1) + u' ';
        if (!lookup.pages().words.startsWith(expected)) {
            throw GenError(QStringLiteral("the words of %1 would not be listed most frequent first").arg(g.first));
        }
    });
    return arranged;
}

}  // namespace tessivo::datagen
