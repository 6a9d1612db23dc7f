// Draws the window's artwork into PNG files: the banner strip, the product badge,
// the picture-button faces and the program icon. scripts/make-art runs it; the
// PNGs under src/assets/art are its output, committed so that a build needs no X.
//
// Captions are text, and text looks as the installed font rasterises it: each is
// clipped to a box of its own, and `artgen --shapes-only FOLDER` draws every box
// as a solid key colour instead, so that the shapes around the captions can be
// checked pixel by pixel on any machine.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstring>

namespace {

QFont artFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Sans Serif")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Where and how a caption goes; the text never leaves its box, even when it is
// drawn a little off its centre (a pressed button's face).
struct Caption {
    QRect box;
    int flags;
    QString text;
    QPoint offset{};
};

// The colour a caption box is filled with when the shapes are drawn alone.
constexpr QRgb kCaptionKey = 0xffff00ff;

class CaptionPen {
public:
    explicit CaptionPen(bool shapesOnly)
        : shapesOnly_(shapesOnly) {}

    void draw(QPainter &p, const Caption &caption) const {
        p.save();
        p.setClipRect(caption.box);
        if (shapesOnly_)
            p.fillRect(caption.box, QColor::fromRgba(kCaptionKey));
        else
            p.drawText(caption.box.translated(caption.offset), caption.flags, caption.text);
        p.restore();
    }

private:
    bool shapesOnly_;
};

QImage canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage banner(const CaptionPen &pen) {
    QImage image = canvas(786, 63);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 63);
    sky.setColorAt(0, QColor(22, 104, 178));
    sky.setColorAt(1, QColor(64, 156, 222));
    p.fillRect(image.rect(), sky);
    // A rising curve of bars: the picture of a site climbing the rankings.
    for (int i = 0; i < 9; ++i) {
        const int h = 10 + i * 5;
        p.fillRect(QRect(620 + i * 17, 58 - h, 11, h), QColor(255, 255, 255, 60 + i * 15));
    }
    p.setPen(QPen(QColor(255, 214, 90), 3));
    QPainterPath trend(QPointF(612, 50));
    trend.cubicTo(660, 46, 720, 30, 772, 8);
    p.drawPath(trend);
    const QString title = QStringLiteral("Tolvera站长工具");
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    p.setFont(artFont(26, true));
    p.setPen(QColor(0, 40, 90, 120)); // the title's shadow
    pen.draw(p, {QRect(22, 6, 580, 34), left, title});
    p.setPen(Qt::white);
    pen.draw(p, {QRect(20, 4, 580, 34), left, title});
    p.setFont(artFont(14, false));
    p.setPen(QColor(225, 240, 255));
    pen.draw(p, {QRect(22, 38, 580, 20), left,
                 QStringLiteral("网站优化从了解收录开始 · 收录、排名、外链一目了然")});
    return image;
}

QImage badge(const CaptionPen &pen) {
    QImage image = canvas(145, 22);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 22);
    fill.setColorAt(0, QColor(255, 170, 40));
    fill.setColorAt(1, QColor(232, 112, 10));
    p.setBrush(fill);
    p.setPen(QColor(190, 90, 0));
    p.drawRoundedRect(QRectF(0.5, 0.5, 144, 21), 8, 8);
    p.setFont(artFont(13, true));
    p.setPen(Qt::white);
    pen.draw(p, {QRect(2, 2, 141, 18), Qt::AlignCenter, QStringLiteral("Tolvera站长工具 V2.03")});
    return image;
}

enum class Face { Up, Down, StayDown, Disabled };

QImage buttonFace(const CaptionPen &pen, const QString &caption, Face face) {
    QImage image = canvas(59, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor top(92, 176, 236), bottom(28, 110, 190), text(Qt::white);
    if (face == Face::Down || face == Face::StayDown)
        std::swap(top, bottom);
    if (face == Face::StayDown)
        top = top.darker(115);
    if (face == Face::Disabled) {
        top = QColor(214, 220, 226);
        bottom = QColor(176, 184, 192);
        text = QColor(120, 126, 132);
    }
    QLinearGradient fill(0, 0, 0, 25);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    p.setPen(bottom.darker(130));
    p.drawRoundedRect(QRectF(0.5, 0.5, 58, 24), 5, 5);
    p.setFont(artFont(14, true));
    p.setPen(text);
    const int shift = face == Face::Down || face == Face::StayDown ? 1 : 0;
    pen.draw(p, {QRect(4, 3, 51, 19), Qt::AlignCenter, caption, QPoint(shift, shift)});
    return image;
}

QImage icon(int size) {
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient fill(0, 0, 0, s);
    fill.setColorAt(0, QColor(64, 156, 222));
    fill.setColorAt(1, QColor(18, 92, 166));
    p.setBrush(fill);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.2, s * 0.2);
    // A magnifier over a rising bar: looking up how a site stands.
    p.setBrush(QColor(255, 214, 90));
    p.drawRect(QRectF(s * 0.16, s * 0.62, s * 0.12, s * 0.22));
    p.drawRect(QRectF(s * 0.34, s * 0.50, s * 0.12, s * 0.34));
    p.setPen(QPen(Qt::white, qMax(1.5, s * 0.09), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(s * 0.42, s * 0.16, s * 0.34, s * 0.34));
    p.drawLine(QPointF(s * 0.72, s * 0.46), QPointF(s * 0.86, s * 0.62));
    return image;
}

// The same icon as a scalable picture, from the same proportions, written as SVG
// text: the desktop's scalable icon.
QByteArray scalableIcon() {
    const auto n = [](double v) { return QByteArray::number(v * 100, 'g', 6); };
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\" "
                     "viewBox=\"0 0 100 100\">\n"
                     "<defs><linearGradient id=\"fill\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                     "<stop offset=\"0\" stop-color=\"#409cde\"/>"
                     "<stop offset=\"1\" stop-color=\"#125ca6\"/></linearGradient></defs>\n";
    svg += "<rect width=\"100\" height=\"100\" rx=\"" + n(0.2) + "\" fill=\"url(#fill)\"/>\n";
    svg += "<rect x=\"" + n(0.16) + "\" y=\"" + n(0.62) + "\" width=\"" + n(0.12) + "\" height=\"" +
           n(0.22) + "\" fill=\"#ffd65a\"/>\n";
    svg += "<rect x=\"" + n(0.34) + "\" y=\"" + n(0.50) + "\" width=\"" + n(0.12) + "\" height=\"" +
           n(0.34) + "\" fill=\"#ffd65a\"/>\n";
    svg += "<g fill=\"none\" stroke=\"#ffffff\" stroke-width=\"" + n(0.09) +
           "\" stroke-linecap=\"round\">\n";
    svg += "<circle cx=\"" + n(0.59) + "\" cy=\"" + n(0.33) + "\" r=\"" + n(0.17) + "\"/>\n";
    svg += "<line x1=\"" + n(0.72) + "\" y1=\"" + n(0.46) + "\" x2=\"" + n(0.86) + "\" y2=\"" +
           n(0.62) + "\"/>\n</g>\n</svg>\n";
    return svg;
}

bool saveText(const QByteArray &text, const QString &path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size())
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
    return false;
}

bool save(const QImage &image, const QString &path) {
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    const bool shapesOnly = argc == 3 && std::strcmp(argv[1], "--shapes-only") == 0;
    if (argc != 2 && !shapesOnly) {
        std::fprintf(stderr, "usage: artgen [--shapes-only] <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[argc - 1]));
    const CaptionPen pen(shapesOnly);
    bool ok = save(banner(pen), out.filePath("banner.png")) &&
              save(badge(pen), out.filePath("badge.png"));
    const struct {
        const char *name;
        Face face;
    } faces[] = {{"up", Face::Up},
                 {"down", Face::Down},
                 {"staydown", Face::StayDown},
                 {"disabled", Face::Disabled}};
    for (const auto &f : faces) {
        ok = ok && save(buttonFace(pen, QStringLiteral("查询"), f.face),
                        out.filePath(QStringLiteral("query_%1.png").arg(f.name)));
        ok = ok && save(buttonFace(pen, QStringLiteral("停止"), f.face),
                        out.filePath(QStringLiteral("stop_%1.png").arg(f.name)));
    }
    for (const int size : {16, 32, 48, 64, 128})
        ok = ok && save(icon(size), out.filePath(QStringLiteral("icon_%1.png").arg(size)));
    ok = ok && saveText(scalableIcon(), out.filePath(QStringLiteral("icon.svg")));
    return ok ? 0 : 1;
}
