// SPDX-License-Identifier: MIT
#include "MciCommand.h"

#include <QSet>
#include <QStringList>

namespace {

// Splits at blanks; a token that starts with a double quote runs to the next
// double quote, so paths may hold spaces. A stray or unclosed quote fails.
std::optional<QStringList> tokenize(const QString& text)
{
    QStringList tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n)
            break;
        QString token;
        if (text[i] == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            if (close < 0)
                return std::nullopt;
            token = text.mid(i + 1, close - i - 1);
            i = close + 1;
            if (i < n && !text[i].isSpace())
                return std::nullopt;
        } else {
            const qsizetype start = i;
            while (i < n && !text[i].isSpace()) {
                if (text[i] == u'"')
                    return std::nullopt;
                ++i;
            }
            token = text.mid(start, i - start);
        }
        tokens << token;
    }
    return tokens;
}

bool isKeyword(const QString& token, const char* word)
{
    return token.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<MciCommand> MciCommand::parse(const QString& text)
{
    const auto tokens = tokenize(text);
    if (!tokens || tokens->size() < 2)
        return std::nullopt;
    const QStringList& t = *tokens;
    if (t[1].isEmpty())
        return std::nullopt;

    MciCommand cmd;
    const QString verb = t[0].toLower();
    QSet<QString> seen;
    // Each option at most once: a doubled option means a garbled string.
    auto once = [&seen](const QString& option) {
        const QString key = option.toLower();
        if (seen.contains(key))
            return false;
        seen.insert(key);
        return true;
    };

    if (verb == u"open") {
        cmd.verb = Verb::Open;
        cmd.path = t[1];
        for (qsizetype i = 2; i < t.size(); ++i) {
            const QString& opt = t[i];
            if (!once(opt))
                return std::nullopt;
            const bool hasValue = i + 1 < t.size() && !t[i + 1].isEmpty();
            if (isKeyword(opt, "alias")) {
                if (!hasValue)
                    return std::nullopt;
                cmd.alias = t[++i].toUpper();
            } else if (isKeyword(opt, "parent")) {
                if (!hasValue)
                    return std::nullopt;
                bool ok = false;
                const qulonglong handle = t[++i].toULongLong(&ok, 10);
                if (!ok || handle == 0)
                    return std::nullopt;
                cmd.parent = quintptr(handle);
            } else if (isKeyword(opt, "style")) {
                // Only a child window inside the game's own picture is offered.
                if (!hasValue || !isKeyword(t[++i], "child"))
                    return std::nullopt;
                cmd.childStyle = true;
            } else if (isKeyword(opt, "type")) {
                if (!hasValue)
                    return std::nullopt;
                const QString type = t[++i];
                if (isKeyword(type, "waveaudio"))
                    cmd.type = DeviceType::Sound;
                else if (isKeyword(type, "avivideo") || isKeyword(type, "mpegvideo")
                         || isKeyword(type, "digitalvideo"))
                    cmd.type = DeviceType::Movie;
                else
                    return std::nullopt;
            } else if (!isKeyword(opt, "notify") && !isKeyword(opt, "wait")) {
                return std::nullopt;
            }
        }
        if (cmd.alias.isEmpty())
            cmd.alias = cmd.path.toUpper();
        return cmd;
    }

    cmd.alias = t[1].toUpper();
    qsizetype i = 2;
    if (verb == u"play") {
        cmd.verb = Verb::Play;
        for (; i < t.size(); ++i) {
            if (!once(t[i]))
                return std::nullopt;
            if (isKeyword(t[i], "repeat"))
                cmd.repeat = true;
            else if (!isKeyword(t[i], "notify"))
                return std::nullopt; // "wait" would block the game for a whole loop
        }
        return cmd;
    }
    if (verb == u"seek") {
        cmd.verb = Verb::Seek;
        if (t.size() < 4 || !isKeyword(t[2], "to"))
            return std::nullopt;
        if (isKeyword(t[3], "start"))
            cmd.seekTo = SeekTarget::Start;
        else if (isKeyword(t[3], "end"))
            cmd.seekTo = SeekTarget::End;
        else
            return std::nullopt;
        i = 4;
    } else if (verb == u"stop") {
        cmd.verb = Verb::Stop;
    } else if (verb == u"pause") {
        cmd.verb = Verb::Pause;
    } else if (verb == u"resume") {
        cmd.verb = Verb::Resume;
    } else if (verb == u"close") {
        cmd.verb = Verb::Close;
        cmd.all = isKeyword(t[1], "all");
    } else {
        return std::nullopt;
    }
    for (; i < t.size(); ++i) {
        if (!once(t[i]) || (!isKeyword(t[i], "notify") && !isKeyword(t[i], "wait")))
            return std::nullopt;
    }
    return cmd;
}
