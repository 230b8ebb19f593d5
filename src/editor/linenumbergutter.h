#pragma once
// The line-number gutter beside the text: a narrow widget in the text's font,
// with its own background and number colours. It holds an image of its rows;
// DrawLineNumbers redraws that image after each repaint of the text, and the
// widget only presents it.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <vector>

class QPainter;

namespace zp {

class TextView;

class LineNumberGutter : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Width = 57;
    // Numbers with more digits than a row holds end the pass.
    static constexpr int MaxNumber = 999999;
    // Milliseconds a pass may spend counting wrapped lines (see
    // TextView::firstVisibleLineWithin).
    static constexpr int CountingSlice = 30;

    explicit LineNumberGutter(QWidget *parent = nullptr);

    QColor numberColor() const { return m_numberColor; }
    void setNumberColor(const QColor &color);
    QColor backColor() const;
    void setBackColor(const QColor &color);

    // The text of the row for number: the number right-aligned in six
    // characters, a blank and "|" ("     1 |").
    static QString rowText(int number);

    // Clears the image to the background and draws the rows for view, from
    // its first visible display line down the whole height, one row per
    // display line of view; then presents the image.
    void DrawLineNumbers(const TextView &view);
    // Draws rows first, first + 1, ... into painter, each rowHeight tall and
    // right-aligned at width, while the next row fits entirely into height
    // (the first row is always drawn). Stops at a number past MaxNumber.
    void PrintLineNumbers(int first, QPainter &painter, int height, int width, int rowHeight);

    // The row texts of the last pass, top to bottom (empty for a row that
    // continues the line above it).
    const QStringList &rows() const { return m_rows; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Draws a row for each of numbers (0: a blank row), as PrintLineNumbers.
    void printRows(const std::vector<int> &numbers, QPainter &painter, int height, int width, int rowHeight);

    QColor m_numberColor{240, 148, 118};
    // What the image was last drawn from.
    struct Pass
    {
        int first = -1;
        QSize pixels;
        int rowHeight = 0;
        QRgb back = 0;
        QRgb number = 0;
        QFont font;
        // The numbers of the rows when some are blank.
        std::vector<int> numbers;
        bool operator==(const Pass &o) const
        {
            return first == o.first && pixels == o.pixels && rowHeight == o.rowHeight
                && back == o.back && number == o.number && font == o.font && numbers == o.numbers;
        }
    };
    Pass m_lastPass;
    QImage m_image;
    QStringList m_rows;
};

} // namespace zp
