#include "windows/radical_chart.h"

#include "strokes/stroke_glyphs.h"

#include <QStringList>

#include <algorithm>
#include <stdexcept>

namespace tessivo::chart {

namespace {

// One chart row: key, glyph, stroke-class strings ('|' between alternatives), flags:
//   keyname            the key's name radical
//   wrap=N             may surround other strokes after its first N strokes
//   pause=N            written in a later order, may pause after its first N strokes
//   encloses           written after the part it surrounds (辶 廴)
//   foldlast           the fold counts as the last stroke (丿 is written after it)
//   dot                ends with the dot of 戈: the 丿 before it counts as the last stroke
//   stdlast            the last stroke of the first form counts last in every form
//   ref=G[,first,count] reference shape: glyph G, or `count` strokes of it from `first`
struct Row {
    char key;
    const char* glyph;
    const char* classes;
    const char* flags;
};

// Strokes in mainland order and classes: 竖钩 is s, 提 is h, 斜钩/弯钩/卧钩 and every fold z.
const Row kRows[] = {
    // key g (11)
    {'g', "王", "hhsh", "keyname"},
    {'g', "龶", "hhsh", "ref=青,0,4"},
    {'g', "五", "hszh", ""},
    {'g', "一", "h", ""},
    {'g', "戋", "hhzpn", "dot"},
    // key f (12)
    {'f', "土", "hsh|shh", "keyname"},
    {'f', "士", "hsh|shh", "pause=1"},
    {'f', "二", "hh", ""},
    {'f', "干", "hhs", ""},
    {'f', "十", "hs|sh", ""},
    {'f', "寸", "hsn", ""},
    {'f', "雨", "hszsnnnn|hszsnnpn", ""},
    {'f', "⻗", "hnzsnnnn", "ref=雪,0,8"},
    {'f', "革底", "szhhs", "ref=革,4,5"},
    // key d (13)
    {'d', "大", "hpn", "keyname|wrap=1"},
    {'d', "犬", "hpnn", ""},
    {'d', "三", "hhh", ""},
    {'d', "⺶", "hhhp", "ref=差,2,4"},
    {'d', "⺷", "hhhs", ""},
    {'d', "古", "hsszh", ""},
    {'d', "石", "hpszh", ""},
    {'d', "厂", "hp", ""},
    {'d', "ナ", "hp", "ref=左,0,2"},
    {'d', "丆", "hp", "wrap=1|ref=石,0,2"},
    {'d', "ア", "hzp", ""},
    {'d', "镸", "hshhhzn|hshhzn", ""},
    // key s (14)
    {'s', "木", "hspn", "keyname"},
    {'s', "丁", "hs", "wrap=1"},
    {'s', "西", "hszpzh", ""},
    {'s', "覀", "hszssh", "ref=要,0,6"},
    // key a (15)
    {'a', "工", "hsh", "keyname|wrap=2"},
    {'a', "戈", "hzpn", "wrap=1|dot"},
    {'a', "弋", "hzn", "wrap=1"},
    {'a', "艹", "hss", "ref=草,0,3"},
    {'a', "廾", "hps", ""},
    {'a', "廿", "hssh", ""},
    {'a', "匚", "hz", "wrap=1"},
    {'a', "七", "hz", ""},
    // key h (21)
    {'h', "目", "szhhh", "keyname"},
    {'h', "具头", "szhhhh", "ref=具,0,6"},
    {'h', "上", "shh", ""},
    {'h', "止", "shsh|shz", "stdlast"},
    {'h', "卜", "sn", ""},
    {'h', "⺊", "sh", ""},
    {'h', "虍", "shzp", "ref=虎,0,4"},
    {'h', "丨", "s", ""},
    {'h', "龰", "shpn", "ref=走,3,4"},
    {'h', "皮头", "zps|pzs", "ref=皮,0,3"},
    // key j (22)
    {'j', "日", "szhh|szh", "keyname"},
    {'j', "曰", "szhh", ""},
    {'j', "早", "szhhhs", ""},
    {'j', "虫", "szhshn", ""},
    {'j', "刂", "ss", ""},
    {'j', "リ", "ps|sp", ""},
    // key k (23)
    {'k', "口", "szh", "keyname"},
    {'k', "川", "pss", ""},
    {'k', "三竖", "sss", ""},
    // key l (24)
    {'l', "田", "szhsh", "keyname"},
    {'l', "甲", "szhhs", ""},
    {'l', "囗", "szh", "wrap=2"},
    {'l', "曾中", "szsnph", "ref=曾,2,6"},
    {'l', "四", "szpzh|sznph", ""},
    {'l', "罒", "szssh", ""},
    {'l', "皿", "szssh", ""},
    {'l', "车", "hzhs|hzsh", "stdlast"},
    {'l', "力", "zp|pz", "foldlast"},
    // key m (25)
    {'m', "山", "szs", "keyname|wrap=1"},
    {'m', "由", "szhsh", ""},
    {'m', "贝", "szpn", ""},
    {'m', "冂", "sz", "wrap=1"},
    {'m', "几", "pz", ""},
    {'m', "冎", "szznz|szhssz", "ref=骨,0,4"},
    // key t (31)
    {'t', "禾", "phspn", "keyname|wrap=3"},
    {'t', "⺮", "phnphn", "ref=笑,0,6"},
    {'t', "竹", "phsphs", ""},
    {'t', "丿", "p", ""},
    {'t', "彳", "pps", ""},
    {'t', "攵", "phpn", ""},
    {'t', "夂", "pzn", "wrap=2"},
    {'t', "𠂉", "ph", "ref=每,0,2"},
    {'t', "余底", "hhspn|hspn", ""},
    // key r (32)
    {'r', "白", "pszhh", "keyname"},
    {'r', "手", "phhs", ""},
    {'r', "扌", "hsh", ""},
    {'r', "龵", "phhp", "ref=看,0,4"},
    {'r', "斤", "pphs", ""},
    {'r', "⺁", "pp", ""},
    {'r', "⺧", "phh", ""},
    {'r', "丘头", "pshs", "ref=丘,0,4"},
    // key e (33)
    {'e', "月", "pzhh|szhh", "keyname"},
    {'e', "彡", "ppp", ""},
    {'e', "乃", "zp|pz", "foldlast"},
    {'e', "用", "pzhhs|szhhs", ""},
    {'e', "豕", "hpzpppn|pzpppn", "wrap=5"},
    {'e', "豸底", "zpp", "ref=豸,4,3"},
    {'e', "𧘇", "pzpn|zppn", ""},
    {'e', "𧘇短", "zpn", ""},
    {'e', "爫", "pnnp", ""},
    {'e', "舟身", "pznnh|pznhn", "ref=舟,1,5"},
    // key w (34)
    {'w', "人", "pn", "keyname"},
    {'w', "亻", "ps", ""},
    {'w', "八", "pn|nn", ""},
    {'w', "癶", "znppn", ""},
    {'w', "祭头", "pznnzn", "ref=祭,0,6"},
    // key q (34)
    {'q', "金", "pnhhsnph", "keyname"},
    {'q', "钅", "phhhz", ""},
    {'q', "勹", "pz|zp", ""},
    {'q', "⺈", "pz", ""},
    {'q', "犭", "pzp", ""},
    {'q', "乂", "pn", ""},
    {'q', "儿", "pz|psz", ""},
    {'q', "夕", "pzn|pznn", ""},
    {'q', "鱼头", "pzszhsh", "ref=鱼,0,7"},
    {'q', "氏头", "pz", "ref=氏,0,2"},
    // key y (41)
    {'y', "言", "nhhhszh", "keyname"},
    {'y', "讠", "nz", ""},
    {'y', "文", "nhpn", ""},
    {'y', "方", "nhzp", "foldlast"},
    {'y', "广", "nhp", ""},
    {'y', "亠", "nh", ""},
    {'y', "丶", "n", ""},
    {'y', "隹右", "nhhhsh", "ref=隹,2,6"},
    {'y', "高头", "nhszh", "ref=高,0,5"},
    // key u (42)
    {'u', "立", "nhnph", "keyname"},
    {'u', "立头", "nhnp", "ref=立,0,4"},
    {'u', "辛", "nhnphhs", ""},
    {'u', "丷", "np|pn", ""},
    {'u', "冫", "nh", ""},
    {'u', "⺀", "nn", ""},
    {'u', "䒑", "nph", "ref=羊,0,3"},
    {'u', "六", "nhpn", ""},
    {'u', "门", "nsz", ""},
    {'u', "疒", "nhpnh", ""},
    {'u', "丬", "nhs|nns|shh|snn", ""},
    // key i (43)
    {'i', "水", "szpn|zpn", "keyname"},
    {'i', "氵", "nnh", ""},
    {'i', "氺", "snhpn|nhpn|sppnn", ""},
    {'i', "小", "spn|spp", ""},
    {'i', "⺌", "snp", ""},
    {'i', "⺍", "nnp", ""},
    {'i', "兴头", "nnph", "ref=兴,0,4"},
    {'i', "光头", "snph", "ref=光,0,4"},
    {'i', "不底", "psn", "ref=不,1,3"},
    // key o (44)
    {'o', "火", "nppn", "keyname"},
    {'o', "灬", "nnnn", ""},
    {'o', "米", "nphspn", ""},
    {'o', "业头", "ssnp|sspn", "ref=业,0,4"},
    {'o', "亦底", "pspn|pzpn", "ref=亦,2,4"},
    // key p (45)
    {'p', "之", "nzn", "keyname"},
    {'p', "辶", "nzn", "encloses"},
    {'p', "廴", "zn", "encloses"},
    {'p', "宀", "nnz", ""},
    {'p', "冖", "nz", ""},
    {'p', "礻衤头", "nzs", "ref=礻,0,3"},
    // key n (51)
    {'n', "已", "zhz", "keyname"},
    {'n', "巳", "zhz", ""},
    {'n', "己", "zhz", ""},
    {'n', "乙", "z", ""},
    {'n', "尸", "zhp", ""},
    {'n', "心", "nznn", "wrap=3"},
    {'n', "忄", "nns", ""},
    {'n', "㣺", "nsnn|nnsn|snnn", "ref=恭,6,4"},
    {'n', "羽", "znhznh", ""},
    {'n', "眉头", "zshp", "ref=眉,0,4"},
    {'n', "コ", "zh", ""},
    {'n', "尤尾", "zn", "foldlast|ref=尤,2,2"},
    // key b (52)
    {'b', "子", "zsh|zzh", "keyname"},
    {'b', "了", "zs", ""},
    {'b', "也", "zsz", ""},
    {'b', "耳", "hsshhh", ""},
    {'b', "阝", "zs", ""},
    {'b', "卩", "zs", ""},
    {'b', "凵", "zs", "wrap=1"},
    {'b', "㔾", "zz", ""},
    // key v (53)
    {'v', "女", "zph", "keyname"},
    {'v', "刀", "zp", "foldlast"},
    {'v', "九", "pz", ""},
    {'v', "臼", "pshzhh", ""},
    {'v', "彐", "zhh", ""},
    {'v', "巛", "zzz", ""},
    // key c (54)
    {'c', "又", "zn", "keyname"},
    {'c', "巴", "zshz", ""},
    {'c', "马", "zzh", ""},
    {'c', "厶", "zn", ""},
    {'c', "マ", "zn", "ref=予,0,2"},
    // key x (55)
    {'x', "纟", "zzh", "keyname"},
    {'x', "弓", "zhz", ""},
    {'x', "匕", "pz|hz|zp", ""},
    {'x', "幺", "zzn", ""},
    {'x', "母框", "zz", ""},
    {'x', "龙尾", "zpn", "foldlast|ref=龙,2,3"},
};

// Components the chart always splits the same way, even where their coded radicals interleave:
// glyph, stroke classes, then the parts in coding order as key:glyph:offsets, and optionally a
// reference (ref=G,first,count as for a radical). A final stroke no part lists is drawn but never
// coded.
struct CompositeRow {
    const char* glyph;
    const char* classes;
    const char* parts;
    const char* reference = nullptr;
};

const CompositeRow kComposites[] = {
    // 兆: 丿 丶 ㇀ 乚 丿 丶 — the dots on either side code first (i), the 儿 they flank second (q).
    {"兆", "pnhzpn|pnnzpn", "i:兆点:1,2,4,5 q:儿:0,3"},
    // 衣: always 亠 over 𧘇, never 广 with the short foot of 艮 (兼顾直观).
    {"衣", "nhpzpn", "y:亠:0,1 e:𧘇:2,3,4,5"},
    // 𠂤 under 宀 (官 管 馆): its upper コ codes before the 丨 written first, then the lower コ.
    {"𠂤", "szhzh", "n:コ:1,2 h:丨:0 n:コ:3,4"},
    // 饣: ⺈ 乙, two radicals (馔 is ⺈ 乙 巳 八, not 饣 and two 巳 that happen to spell qnn).
    {"饣", "pzz", "q:⺈:0,1 n:乙:2"},
    // 鸟: 勹 丶 乙 一, never 讠 taking the dot and the fold together.
    {"鸟", "pznzh", "q:勹:0,1 y:丶:2 n:乙:3 g:一:4"},
    // 医: 匚 wrapping 𠂉 and 大; found as one piece, so that long characters built on it (翳) do
    // not exhaust the search before the wrap is tried.
    {"医", "hphhpnz", "a:匚:0,6 t:𠂉:1,2 d:大:3,4,5"},
    // 咸 (戊 wrapping 一 and 口): 一 over 口 stays two radicals, never the 五 their four strokes
    // also spell (能散不连: 一 and 口 do not touch). 戈's dot is left uncoded, its 丿 counts last.
    {"咸", "hphszhzpn", "d:厂:0,1 g:一:2 k:口:3,4,5 n:乙:6 t:丿:7"},
    // 匪: 匚 wrapping 非, whose two verticals code together as 刂 between the two 三 (as in 非
    // itself); found as one piece so that 匚 is closed round all of 非.
    {"匪", "hshhhshhhz|hphhhshhhz", "a:匚:0,9 d:三:2,3,4 j:刂:1,5 d:三:6,7,8"},
    // 肃: the long vertical through 彐 is 小 with the two short strokes beside it, written last;
    // the two outer verticals, written in between, are 刂 and code after it.
    {"肃", "zhhspspn", "v:彐:0,1,2 i:小:3,6,7 j:刂:4,5"},
    // 鹿's top (麒 麟 麋 鏖 and 鹿 itself): 广, then the コ of the 横折 and the 一 that closes it
    // under the two verticals, then the verticals as 刂; never a lone 乙 and a lone 一.
    {"鹿头", "nhpzssh", "y:广:0,1,2 n:コ:3,6 j:刂:4,5", "ref=鹿,0,7"},
    // 禸 (禺 禹 偶 愚): 冂, then the vertical inside with the rising stroke that leaves its foot as
    // 丨, then the dot; the rising stroke is never a radical of its own between them.
    {"禸", "szshn", "m:冂:0,1 h:丨:2,3 y:丶:4", "ref=禺,4,5"},
    // 乑 (under 取 in 聚): its first 丿 alone, then the rest as one radical on i.
    {"乑", "pspnpn|pspppn", "t:丿:0 i:氺:1,2,3,4,5"},
};

// Sets what one flag of a chart row says; `classes` is the row's class strings.
void applyFlag(Radical& radical, const QString& flag, const char* classes) {
    if (flag == QLatin1String("keyname")) radical.keyName = true;
    else if (flag == QLatin1String("encloses")) radical.enclosesBefore = true;
    else if (flag == QLatin1String("foldlast")) radical.foldLast = true;
    else if (flag == QLatin1String("dot")) radical.dotAfterSweep = true;
    else if (flag == QLatin1String("stdlast")) radical.standardLast = QString::fromLatin1(classes).section(QLatin1Char('|'), 0, 0).back().toLatin1();
    else if (flag.startsWith(QLatin1String("wrap="))) radical.wrapAt = flag.mid(5).toInt();
    else if (flag.startsWith(QLatin1String("pause="))) radical.pauseAt = flag.mid(6).toInt();
    else if (flag.startsWith(QLatin1String("ref="))) {
        const QStringList parts = flag.mid(4).split(QLatin1Char(','));
        radical.refGlyph = parts[0];
        if (parts.size() == 3) {
            radical.refFirst = parts[1].toInt();
            radical.refCount = parts[2].toInt();
        }
    } else {
        throw std::invalid_argument("unknown radical chart flag");
    }
}

// One radical per class string of `classes` ('|' between alternatives), numbered in order.
std::vector<Radical> alternativesOf(const Radical& base, const char* classes) {
    std::vector<Radical> out;
    int alternative = 0;
    for (const QString& strokes : QString::fromLatin1(classes).split(QLatin1Char('|'))) {
        Radical r = base;
        r.classes = strokes;
        r.alternative = alternative++;
        out.push_back(r);
    }
    return out;
}

void appendRow(const Row& row, std::vector<Radical>& radicals) {
    Radical base;
    base.key = QLatin1Char(row.key);
    base.glyph = QString::fromUtf8(row.glyph);
    base.refGlyph = base.glyph;
    for (const QString& flag : QString::fromUtf8(row.flags).split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        applyFlag(base, flag, row.classes);
    }
    for (Radical& r : alternativesOf(base, row.classes)) {
        // A name of several characters (具头, 革底) is no glyph: no reference shape of its own.
        if (r.refCount == 0 && r.glyph.size() > 1 && !r.glyph.at(0).isHighSurrogate()) r.refGlyph.clear();
        radicals.push_back(std::move(r));
    }
}

void appendComposite(const CompositeRow& row, std::vector<Radical>& radicals) {
    Radical base;
    base.glyph = QString::fromUtf8(row.glyph);
    base.refGlyph = base.glyph;
    for (const QString& part : QString::fromUtf8(row.parts).split(QLatin1Char(' '))) {
        const QStringList fields = part.split(QLatin1Char(':'));
        if (fields.size() != 3 || fields[0].size() != 1) throw std::invalid_argument("bad composite part");
        Radical::Part p;
        p.key = fields[0][0];
        p.glyph = fields[1];
        for (const QString& offset : fields[2].split(QLatin1Char(','))) p.offsets.push_back(offset.toInt());
        base.parts.push_back(p);
    }
    base.key = base.parts.front().key;
    if (row.reference) applyFlag(base, QString::fromUtf8(row.reference), row.classes);
    for (Radical& r : alternativesOf(base, row.classes)) radicals.push_back(std::move(r));
}

}  // namespace

RadicalChart::RadicalChart(std::vector<Radical> radicals) : radicals_(std::move(radicals)) {
    for (const Radical& r : radicals_) {
        if (r.classes.isEmpty()) throw std::invalid_argument("radical without strokes");
        byFirst_[r.classes[0].toLatin1()].push_back(&r);
        maxLength_ = std::max(maxLength_, static_cast<int>(r.classes.size()));
        if (!r.parts.empty()) continue;  // a composite is never coded as one radical
        QString& keys = keysByGlyph_[r.glyph];
        if (!keys.contains(r.key)) keys.append(r.key);
    }
    for (auto& [cls, list] : byFirst_) {
        std::stable_sort(list.begin(), list.end(), [](const Radical* a, const Radical* b) { return a->classes.size() > b->classes.size(); });
    }
}

const RadicalChart& RadicalChart::wubi86() {
    static const RadicalChart chart = [] {
        std::vector<Radical> radicals;
        for (const Row& row : kRows) appendRow(row, radicals);
        for (const CompositeRow& row : kComposites) appendComposite(row, radicals);
        return RadicalChart(std::move(radicals));
    }();
    return chart;
}

const std::vector<const Radical*>& RadicalChart::startingWith(char cls) const {
    static const std::vector<const Radical*> none;
    const auto it = byFirst_.find(cls);
    return it == byFirst_.end() ? none : it->second;
}

QString RadicalChart::keyNameGlyph(QChar key) const {
    for (const Radical& r : radicals_) {
        if (r.keyName && r.key == key) return r.glyph;
    }
    return {};
}

QString RadicalChart::keysOf(const QString& glyph) const {
    const auto it = keysByGlyph_.find(glyph);
    return it == keysByGlyph_.end() ? QString() : it->second;
}

namespace {

// The mnemonic verse of each key, in key-number order.
const char* const kVerses[5][5] = {
    {"王旁青头戋（兼）五一", "土士二干十寸雨", "大犬三羊古石厂", "木丁西", "工戈草头右框七"},
    {"目具上止卜虎皮", "日早两竖与虫依", "口与川，字根稀", "田甲方框四车力", "山由贝，下框几"},
    {"禾竹一撇双人立，反文条头共三一", "白手看头三二斤", "月彡（衫）乃用家衣底", "人和八，三四里",
     "金勺缺点无尾鱼，犬旁留叉儿一点夕，氏无七（妻）"},
    {"言文方广在四一，高头一捺谁人去", "立辛两点六门疒（病）", "水旁兴头小倒立", "火业头，四点米", "之宝盖，摘礻（示）衤（衣）"},
    {"已半巳满不出己，左框折尸心和羽", "子耳了也框向上", "女刀九臼山朝西", "又巴马，丢矢矣", "慈母无心弓和匕，幼无力"},
};

}  // namespace

int keyNumber(QChar key) {
    for (int zone = 0; zone < 5; ++zone) {
        const int at = QLatin1String(kZones[zone]).indexOf(key);
        if (at >= 0) return (zone + 1) * 10 + at + 1;
    }
    return 0;
}

QString verseOf(QChar key) {
    const int number = keyNumber(key);
    if (number == 0) return {};
    return QString::fromUtf8(kVerses[number / 10 - 1][number % 10 - 1]);
}

QChar strokeLetter(char cls) {
    switch (cls) {
    case 'h': return QLatin1Char('g');
    case 's': return QLatin1Char('h');
    case 'p': return QLatin1Char('t');
    case 'n': return QLatin1Char('y');
    case 'z': return QLatin1Char('n');
    default: return QChar();
    }
}

char strokeClassOfLetter(QChar letter) {
    for (char c : {'h', 's', 'p', 'n', 'z'}) {
        if (strokeLetter(c) == letter) return c;
    }
    return '?';
}

QString strokeGlyph(char cls) {
    const int digit = cls == 'h' ? 0 : cls == 's' ? 1 : cls == 'p' ? 2 : cls == 'n' ? 3 : 4;
    return QString(QChar(strokes::kStrokeGlyphs[digit]));
}

QString identZone(char cls) {
    switch (cls) {
    case 'h': return QStringLiteral("gfd");
    case 's': return QStringLiteral("hjk");
    case 'p': return QStringLiteral("tre");
    case 'n': return QStringLiteral("yui");
    case 'z': return QStringLiteral("nbv");
    default: return {};
    }
}

}  // namespace tessivo::chart
