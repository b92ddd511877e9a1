#include "common/widgets/theme.h"

#include <QApplication>
#include <QColor>
#include <QDebug>
#include <QFile>
#include <QWidget>

const std::array<ThemeColour, 4> themeColours = {{
    {"@colorMysticSerenity", "#02232b"},
    {"@colorRival", "#e84e0f"},
    {"@colorPowerage", "#af1d1f"},
    {"@colorStriker", "#ff2400"},
}};

QPalette darkPalette()
{
    const QBrush accent(QColor(232, 78, 15));
    const QBrush bright(QColor(255, 36, 0));
    const QBrush background(QColor(2, 35, 43));

    QPalette palette;
    // setBrush without a group sets every colour group.
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::Highlight})
        palette.setBrush(role, accent);
    palette.setBrush(QPalette::BrightText, bright);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase,
                                     QPalette::Dark, QPalette::Shadow, QPalette::HighlightedText})
        palette.setBrush(role, background);
    return palette;
}

void setThemedStyleSheet(QWidget *widget, const QString &styleSheet)
{
    const QString themed = applyThemeColours(styleSheet);
    if (widget->styleSheet() != themed)
        widget->setStyleSheet(themed);
}

QString applyThemeColours(QString styleSheet)
{
    for (const ThemeColour &entry : themeColours)
        styleSheet.replace(QLatin1String(entry.variable), QLatin1String(entry.colour));
    return styleSheet;
}

std::optional<QString> loadStyleSheet(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Style file not open";
        return std::nullopt;
    }
    qDebug() << "Opened style file";
    QByteArray bytes = file.readAll();
    const int end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    return applyThemeColours(QString::fromLatin1(bytes));
}

QFont enlargedFont(QFont font)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + 2);
    return font;
}

void applyTheme(QApplication &app, const QString &styleSheetPath)
{
    QApplication::setPalette(darkPalette());
    if (const std::optional<QString> styleSheet = loadStyleSheet(styleSheetPath))
        app.setStyleSheet(*styleSheet);
    QApplication::setFont(enlargedFont(QApplication::font()));
}
