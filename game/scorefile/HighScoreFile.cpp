// SPDX-License-Identifier: MIT
#include "HighScoreFile.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numeric>
#include <utility>

namespace HighScoreFile {

namespace {

// The file is written in the code page the game's names have always used.
constexpr const char* Encoding = "CP932";

// Range of the date scale: years 100 to 9999.
constexpr double MinSerial = -657434.0;
constexpr double MaxSerial = 2958466.0;

QByteArrayView TrimmedAscii(QByteArrayView text)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// from_chars takes no plus sign; a hand-edited "+5" is still a number.
QByteArrayView WithoutPlus(QByteArrayView text)
{
    if (text.size() >= 2 && text[0] == '+' && text[1] != '-' && text[1] != '+')
        return text.sliced(1);
    return text;
}

QList<QByteArrayView> SplitLines(const QByteArray& bytes, qsizetype maxLines)
{
    // CR LF is the line end the game writes; a lone CR or LF (a file edited
    // elsewhere) ends a line too.
    QList<QByteArrayView> lines;
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    while (pos < n && lines.size() < maxLines) {
        qsizetype end = pos;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.append(QByteArrayView(bytes).sliced(pos, end - pos));
        if (end < n && bytes[end] == '\r') {
            ++end;
            if (end < n && bytes[end] == '\n')
                ++end;
        } else if (end < n) {
            ++end;
        }
        pos = end;
    }
    return lines;
}

// One converter each for the whole run: opening an ICU converter costs more
// than converting a name. Stateless, so no call leaks into the next.
QStringEncoder& Encoder()
{
    static QStringEncoder encoder(Encoding, QStringConverter::Flag::Stateless);
    return encoder;
}

QStringDecoder& Decoder()
{
    static QStringDecoder decoder(Encoding, QStringConverter::Flag::Stateless);
    return decoder;
}

// Whether the text comes back unchanged from the file. The converters'
// error flags cannot be reset, so the round trip is the test.
bool Storable(QStringView text)
{
    if (!text.isValidUtf16())
        return false;
    const QByteArray bytes = Encoder().encode(text);
    const QString back = Decoder().decode(bytes);
    return back == text;
}

void ClearPlace(HighScoreList& list, int p)
{
    list.PlayerName[p].clear();
    list.Score[p] = 0;
    list.EntryDate[p] = 0.0;
}

// Returns whether the line was a readable place.
bool ReadPlace(QByteArrayView line, HighScoreList& list, int p)
{
    std::array<QByteArrayView, 3> fields;
    int count = 0;
    qsizetype start = 0;
    while (count < 3) {
        const qsizetype tab = line.indexOf('\t', start);
        fields[count++] = line.sliced(start, (tab < 0 ? line.size() : tab) - start);
        if (tab < 0)
            break;
        start = tab + 1;
    }
    const auto score = count >= 2 ? ParseScore(fields[1]) : std::nullopt;
    if (!score) {
        ClearPlace(list, p);
        return false;
    }
    const QString name = Decoder().decode(fields[0]);
    // Bytes that are not CP932 decode to SUB; show them as the writer would.
    list.PlayerName[p] = QString(name).replace(QChar(0x1A), QLatin1Char('?'));
    list.Score[p] = *score;
    list.EntryDate[p] = count >= 3 ? ParseSerial(fields[2]).value_or(0.0) : 0.0;
    return !name.contains(QChar(0x1A));
}

void SortByScore(HighScoreList& list)
{
    std::array<int, Places> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return list.Score[a] > list.Score[b]; });
    const HighScoreList old = list;
    for (int p = 0; p < Places; ++p) {
        list.PlayerName[p] = old.PlayerName[order[p]];
        list.Score[p] = old.Score[order[p]];
        list.EntryDate[p] = old.EntryDate[order[p]];
    }
}

} // namespace

QByteArray FormatSerial(double date)
{
    if (!std::isfinite(date) || date == 0.0)
        return QByteArrayLiteral("0");
    // Round to 15 significant digits first, then take the shortest fixed
    // notation of that value; to_chars keeps this independent of the locale.
    char sci[64];
    auto rounded = std::to_chars(sci, sci + sizeof sci, date, std::chars_format::scientific, 14);
    double value = date;
    std::from_chars(sci, rounded.ptr, value);
    char fixed[512];
    auto out = std::to_chars(fixed, fixed + sizeof fixed, value, std::chars_format::fixed);
    if (out.ec != std::errc())
        return QByteArrayLiteral("0");
    return QByteArray(fixed, out.ptr - fixed);
}

std::optional<double> ParseSerial(QByteArrayView text)
{
    text = WithoutPlus(TrimmedAscii(text));
    if (text.isEmpty())
        return std::nullopt;
    double value = 0.0;
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    if (!std::isfinite(value) || value < MinSerial || value >= MaxSerial)
        return std::nullopt;
    return value == 0.0 ? 0.0 : value; // no negative zero
}

std::optional<vb::Long> ParseScore(QByteArrayView text)
{
    text = WithoutPlus(TrimmedAscii(text));
    if (text.isEmpty())
        return std::nullopt;
    vb::Long value = 0;
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value, 10);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

QString StorableName(const QString& name)
{
    // What a Linux input method types, and the CP932 character the same key
    // gave on the platform the file comes from.
    static constexpr std::array<std::pair<char16_t, char16_t>, 7> Twins{{
        {u'\u301C', u'\uFF5E'}, // wave dash: fullwidth tilde
        {u'\u2212', u'\uFF0D'}, // minus sign: fullwidth hyphen-minus
        {u'\u2016', u'\u2225'}, // double vertical line: parallel to
        {u'\u2014', u'\u2015'}, // em dash: horizontal bar
        {u'\u00A2', u'\uFFE0'}, // cent sign
        {u'\u00A3', u'\uFFE1'}, // pound sign
        {u'\u00AC', u'\uFFE2'}, // not sign
    }};
    QString text = name;
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
        for (const auto& [typed, twin] : Twins) {
            if (c.unicode() == typed)
                c = QChar(twin);
        }
    }
    if (Storable(text))
        return text;

    // One "?" per character as the player sees it, so a flag or an emoji
    // with modifiers does not turn into several.
    QString result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        const QStringView cluster = QStringView(text).sliced(start, end - start);
        if (Storable(cluster))
            result += cluster;
        else
            result += QLatin1Char('?');
        start = end;
    }
    return result;
}

QByteArray Serialize(const Table& table)
{
    QByteArray out;
    out.reserve(Lines * 48);
    for (int t = 0; t < 4; ++t) {
        for (int level = 0; level < 3; ++level) {
            const HighScoreList& list = table[t][level];
            for (int p = 0; p < Places; ++p) {
                out += Encoder().encode(StorableName(list.PlayerName[p]));
                out += '\t';
                out += QByteArray::number(list.Score[p]);
                out += '\t';
                out += FormatSerial(list.EntryDate[p]);
                out += "\r\n";
            }
        }
    }
    return out;
}

ParseReport Parse(const QByteArray& bytes, Table& table)
{
    const QList<QByteArrayView> lines = SplitLines(bytes, Lines);
    ParseReport report;
    report.lines = static_cast<int>(lines.size());
    for (int n = 0; n < Lines; ++n) {
        HighScoreList& list = table[n / 30][n / 10 % 3];
        if (n < lines.size())
            report.readable += ReadPlace(lines[n], list, n % 10) ? 1 : 0;
        else
            ClearPlace(list, n % 10);
    }
    for (auto& row : table) {
        for (HighScoreList& list : row)
            SortByScore(list);
    }
    return report;
}

} // namespace HighScoreFile
