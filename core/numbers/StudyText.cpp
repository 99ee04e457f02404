#include "core/numbers/StudyText.h"

#include "core/numbers/ShownNumber.h"

namespace tavi
{

namespace
{

const QChar kTextMark = QLatin1Char('\'');
const QChar kStudyDecimal = QLatin1Char('.');

bool readsInStudy(const QString &text)
{
    return readShownNumber(text, nullptr, studyNumberSettings());
}

} // namespace

const LocaleSettings &studyNumberSettings()
{
    static const LocaleSettings settings = [] {
        LocaleSettings s = LocaleSettings::decimalPoint();
        // The same character as the decimal separator: nothing is taken for grouping.
        s.thousandSeparator = kStudyDecimal;
        return s;
    }();
    return settings;
}

QString toStudyText(const QString &windowText, const LocaleSettings &locale)
{
    if (readShownNumber(windowText, nullptr, locale)) {
        QString text = windowText;
        text.replace(locale.decimalSeparator, kStudyDecimal);
        return text;
    }
    if (windowText.startsWith(kTextMark) || readsInStudy(windowText))
        return kTextMark + windowText;
    return windowText;
}

QString fromStudyText(const QString &studyText, const LocaleSettings &locale)
{
    if (studyText.startsWith(kTextMark))
        return studyText.mid(1);
    if (readsInStudy(studyText)) {
        QString text = studyText;
        text.replace(kStudyDecimal, locale.decimalSeparator);
        return text;
    }
    return studyText;
}

bool isFieldStudyText(const QString &studyText)
{
    return studyText.isEmpty() || readsInStudy(studyText);
}

} // namespace tavi
