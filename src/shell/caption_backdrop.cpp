#include "shell/caption_backdrop.h"

#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace tolvera {

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kRed = qRgb(220, 0, 0);
constexpr QRgb kHeading = qRgb(16, 80, 150);
constexpr QRgb kGridLine = qRgb(143, 184, 216);
constexpr QRgb kFrame = qRgb(120, 170, 210);

constexpr int kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kCentre = Qt::AlignCenter;

// One painted caption, in the coordinates of the page the backdrop lies on.
struct Caption {
    int x, y, w, h;
    const char *text; // UTF-8
    QRgb colour = kBlack;
    int align = kRight;
    int fontPixels = 12;
    bool bold = false;
};

// The count grid's column lines, row bands and its heading row.
constexpr int kGridColumnLines[] = {18, 122, 200, 276, 351, 424, 497};
constexpr int kGridRowLines[] = {252, 282, 309, 335, 361, 386, 413, 440};

const std::vector<Caption> &overviewCaptions() {
    static const std::vector<Caption> captions = {
        {10, 18, 86, 18, "检测网址", kBlack, kRight, 13, true},
        {6, 68, 82, 17, "查询域名:"},
        {6, 90, 82, 17, "查询网站:"},
        {6, 114, 82, 17, "世界排名:"},
        {6, 138, 82, 17, "全国排名:"},
        {6, 160, 82, 17, "Page Rank:"},
        {6, 179, 82, 17, "Sogou Rank:"},
        {552, 60, 200, 18, "查询对应关键词", kHeading, kLeft, 13, true},
        {552, 127, 42, 17, "百度:"},
        {552, 163, 42, 17, "谷歌:"},
        {40, 226, 400, 22, "搜索引擎收录以及反向链接结果", kHeading, kLeft, 14, true},
        {18, 252, 104, 30, "搜索引擎", kBlack, kCentre, 13, true},
        {122, 252, 78, 30, "百度", kBlack, kCentre, 13, true},
        {200, 252, 76, 30, "谷歌", kBlack, kCentre, 13, true},
        {276, 252, 75, 30, "雅虎", kBlack, kCentre, 13, true},
        {351, 252, 73, 30, "搜狗", kBlack, kCentre, 13, true},
        {424, 252, 73, 30, "有道", kBlack, kCentre, 13, true},
        {18, 282, 104, 27, "收录数量", kBlack, kCentre},
        {18, 309, 104, 26, "反向链接", kBlack, kCentre},
        {18, 335, 104, 26, "一天内收录", kGrey, kCentre},
        {18, 361, 104, 25, "一周内收录", kGrey, kCentre},
        {18, 386, 104, 27, "一月内收录", kGrey, kCentre},
        {18, 413, 104, 27, "一年内收录", kGrey, kCentre},
    };
    return captions;
}

const std::vector<Caption> &linkCaptions() {
    static const std::vector<Caption> captions = {
        {10, 17, 86, 20, "检测网址", kBlack, kRight, 13, true},
        {20, 48, 760, 20,
         "小提示：交换友情链接前，先查一查对方网站的收录、PR、快照日期和是否链回本站。", kGrey,
         kLeft},
        // The three panels the audit grid covers once it is shown.
        {30, 100, 220, 24, "检测什么", kHeading, kCentre, 15, true},
        {30, 130, 220, 200,
         "网站首页的每一个外部链接：\n对方的谷歌、百度收录\n反向链接与PR值\n百度快照日期\n首页链接"
         "数量",
         kBlack, Qt::AlignHCenter | Qt::AlignTop},
        {283, 100, 220, 24, "为什么要检测", kHeading, kCentre, 15, true},
        {283, 130, 220, 200,
         "被惩罚或不再更新的网站\n会拖累你的排名；\n链接太多的页面\n传递的权重很少", kBlack,
         Qt::AlignHCenter | Qt::AlignTop},
        {536, 100, 220, 24, "怎样使用", kHeading, kCentre, 15, true},
        {536, 130, 220, 200,
         "在上方输入网址\n点击“查询”\n结果中可看出对方\n是否链回本站\n双击网址可打开对方网站",
         kBlack, Qt::AlignHCenter | Qt::AlignTop},
        // The report strip.
        {6, 403, 62, 34, "链接报告", qRgb(255, 255, 255), kCentre, 13, true},
        {70, 399, 80, 16, "共计链接:", kRed},
        {205, 399, 102, 16, "平均获取PR:", kRed},
        {350, 399, 93, 16, "谷歌收录:"},
        {474, 399, 93, 16, "谷歌反链:"},
        {598, 399, 93, 16, "谷歌PR:"},
        {70, 426, 80, 16, "有效链接:", kRed},
        {205, 426, 102, 16, "有效输出PR:", kRed},
        {350, 426, 93, 16, "百度收录:"},
        {474, 426, 93, 16, "百度反链:"},
        {598, 426, 93, 16, "更新日期:"},
    };
    return captions;
}

const std::vector<Caption> &captionsOf(const QString &which) {
    static const std::vector<Caption> none;
    if (which == QLatin1String("RzBackground1"))
        return overviewCaptions();
    if (which == QLatin1String("RzBackground2"))
        return linkCaptions();
    return none;
}

void drawCaptions(QPainter &p, const std::vector<Caption> &captions, const QFont &base) {
    for (const Caption &c : captions) {
        QFont font = base;
        font.setPixelSize(c.fontPixels);
        font.setBold(c.bold);
        p.setFont(font);
        p.setPen(QColor::fromRgb(c.colour));
        p.drawText(QRect(c.x, c.y, c.w, c.h), c.align | Qt::TextWordWrap,
                   QString::fromUtf8(c.text));
    }
}

void drawOverviewArt(QPainter &p) {
    p.setPen(QPen(QColor::fromRgb(kFrame), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(333.5, 60.5, 173, 156), 8, 8); // the thumbnail's frame
    p.drawRoundedRect(QRectF(548.5, 80.5, 145, 23), 4, 4);  // the keyword's input frame
    // The magnifier before the grid's heading.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor::fromRgb(kHeading), 2));
    p.drawEllipse(QRectF(20, 229, 11, 11));
    p.drawLine(QPointF(29, 238), QPointF(35, 244));
    // The count grid.
    p.setPen(QPen(QColor::fromRgb(kGridLine), 1));
    p.fillRect(QRect(18, 252, 479, 30), QColor(200, 224, 244));
    for (const int x : kGridColumnLines)
        p.drawLine(x, kGridRowLines[0], x, kGridRowLines[std::size(kGridRowLines) - 1]);
    for (const int y : kGridRowLines)
        p.drawLine(kGridColumnLines[0], y, kGridColumnLines[std::size(kGridColumnLines) - 1], y);
}

void drawLinkArt(QPainter &p) {
    p.setPen(QPen(QColor::fromRgb(kFrame), 1));
    p.setBrush(QColor(240, 247, 253));
    for (const int x : {22, 275, 528})
        p.drawRoundedRect(QRectF(x + 0.5, 90.5, 236, 290), 8, 8);
    p.setBrush(QColor(234, 243, 250));
    p.drawRoundedRect(QRectF(2.5, 394.5, 778, 54), 6, 6); // the report strip
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 112, 10));
    p.drawRoundedRect(QRectF(6, 403, 62, 34), 6, 6); // the "链接报告" badge
}

void drawBanner(QPainter &p, const QSize &size) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(184, 222, 241));
    // The picture covers the client area from its top-left corner at (-11, -34).
    p.drawPixmap(11, 34, QPixmap(QStringLiteral(":/art/banner.png")));
}

} // namespace

CaptionBackdrop::CaptionBackdrop(const QString &which, QWidget *parent)
    : QWidget(parent)
    , which_(which) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QStringList CaptionBackdrop::captions() const {
    QStringList texts;
    for (const Caption &c : captionsOf(which_))
        texts << QString::fromUtf8(c.text);
    return texts;
}

void CaptionBackdrop::paintEvent(QPaintEvent *) {
    QPainter p(this);
    if (which_ == QLatin1String("RzBackground3")) {
        drawBanner(p, size());
        return;
    }
    p.fillRect(rect(), QColor(217, 233, 248));
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-pos()); // captions are placed in the page's coordinates
    if (which_ == QLatin1String("RzBackground1"))
        drawOverviewArt(p);
    else
        drawLinkArt(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    drawCaptions(p, captionsOf(which_), font());
}

} // namespace tolvera
