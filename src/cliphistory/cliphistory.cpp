#include "cliphistory/cliphistory.h"

#include <algorithm>

namespace zp {

QString ClipHistory::text(int index) const
{
    return index >= 1 && index <= count() ? m_texts[size_t(index - 1)] : QString();
}

QString ClipHistory::caption(int index) const
{
    return index >= 1 && index <= count() ? m_captions[size_t(index - 1)] : QString();
}

bool ClipHistory::record(const QString &text)
{
    if (m_next <= Capacity) {
        m_texts[size_t(m_next - 1)] = text;
        m_captions[size_t(m_next - 1)] = captionFor(m_next, text);
        ++m_next;
        return false;
    }
    // Full: every entry takes its successor's text and caption; the newest
    // is shown by its whole text, without a number.
    std::rotate(m_texts.begin(), m_texts.begin() + 1, m_texts.end());
    std::rotate(m_captions.begin(), m_captions.begin() + 1, m_captions.end());
    m_texts.back() = text;
    m_captions.back() = text;
    return true;
}

qsizetype cutWithoutSplitting(const QString &text, qsizetype length)
{
    if (length >= text.size())
        return text.size();
    if (length > 0 && text.at(length - 1).isHighSurrogate() && text.at(length).isLowSurrogate())
        --length;
    return length;
}

QString ClipHistory::captionFor(int number, const QString &text)
{
    QString caption = QString::number(number) + QLatin1Char(' ');
    if (text.size() <= CaptionLength)
        return caption + text;
    return caption + QStringView(text).left(cutWithoutSplitting(text, CaptionLength))
            + QStringLiteral("...");
}

QString menuCaption(const QString &caption)
{
    const qsizetype shown = cutWithoutSplitting(caption, MenuCaptionLength);
    QString result;
    result.reserve(shown + 3);
    for (qsizetype i = 0; i < shown; ++i) {
        const QChar c = caption.at(i);
        if (c == QLatin1Char('\r')) {
            result += QChar(0x21B5);
            // CR LF is one line break, one mark.
            if (i + 1 < shown && caption.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            result += QChar(0x21B5);
        } else if (c == QLatin1Char('\t')) {
            result += QChar(0x2192);
        } else if (c == QLatin1Char('&')) {
            result += QStringLiteral("&&");
        } else {
            result += c;
        }
    }
    if (shown < caption.size())
        result += QStringLiteral("...");
    return result;
}

} // namespace zp
