#pragma once
// The dark theme: palette, style sheet with colour variables, enlarged font.

#include <QFont>
#include <QPalette>
#include <QString>

#include <array>
#include <optional>

struct ThemeColour {
    const char *variable; // as written in style sheets, e.g. "@colorRival"
    const char *colour;   // "#rrggbb"
};

// In the order the replacement applies them.
extern const std::array<ThemeColour, 4> themeColours;

QPalette darkPalette();

// Every style sheet, the application's and each widget's, passes through this:
// plain text replacement of each variable by its colour.
QString applyThemeColours(QString styleSheet);

class QWidget;
// Gives a widget its own style sheet (colours applied), touching it only when the sheet
// changes: every new sheet re-polishes and repaints the widget, and the status refresh
// writes the same sheets once a second.
void setThemedStyleSheet(QWidget *widget, const QString &styleSheet);

// The application style sheet with colours applied; nothing when the file
// cannot be opened. Reports "Opened style file" / "Style file not open".
std::optional<QString> loadStyleSheet(const QString &path);

QFont enlargedFont(QFont font);

class QApplication;
// The whole look the program starts with: palette, the style sheet at `styleSheetPath`
// and the enlarged font.
void applyTheme(QApplication &app, const QString &styleSheetPath);
