#include "shell/icons.h"

#include "shell/commands.h"
#include "shell/menu_tree.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <map>

namespace skarnel {
namespace {

enum class Glyph {
    Radio,
    Transmitter,
    Plug,
    Firmware,
    Speaker,
    Clock,
    Disk,
    Convert,
    SdCard,
    Wave,
    Play,
    Stop,
    Document,
    Chart,
    Info
};

struct Look {
    Glyph glyph;
    QColor colour;
};

// Every glyph is drawn on a 24 x 24 grid and scaled into the picture.
void DrawGlyph(QPainter& p, Glyph glyph, const QColor& colour)
{
    QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::Radio:
        p.drawRect(QRectF(5, 10, 14, 11));
        p.drawLine(QPointF(12, 10), QPointF(17, 2));
        p.drawEllipse(QPointF(10, 15.5), 2.5, 2.5);
        break;
    case Glyph::Transmitter:
        p.drawRoundedRect(QRectF(3, 9, 18, 12), 3, 3);
        p.drawLine(QPointF(18, 9), QPointF(20, 1));
        p.drawEllipse(QPointF(8, 15), 2, 2);
        p.drawEllipse(QPointF(16, 15), 2, 2);
        break;
    case Glyph::Plug:
        p.drawRect(QRectF(7, 8, 10, 8));
        p.drawLine(QPointF(10, 3), QPointF(10, 8));
        p.drawLine(QPointF(14, 3), QPointF(14, 8));
        p.drawLine(QPointF(12, 16), QPointF(12, 22));
        break;
    case Glyph::Firmware:
        p.drawRect(QRectF(6, 6, 12, 12));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(QPointF(9 + 3 * i, 2), QPointF(9 + 3 * i, 6));
            p.drawLine(QPointF(9 + 3 * i, 18), QPointF(9 + 3 * i, 22));
        }
        p.drawLine(QPointF(12, 15), QPointF(12, 9));
        p.drawLine(QPointF(9.5, 11.5), QPointF(12, 9));
        p.drawLine(QPointF(14.5, 11.5), QPointF(12, 9));
        break;
    case Glyph::Speaker: {
        QPainterPath body;
        body.moveTo(3, 9);
        body.lineTo(8, 9);
        body.lineTo(14, 4);
        body.lineTo(14, 20);
        body.lineTo(8, 15);
        body.lineTo(3, 15);
        body.closeSubpath();
        p.drawPath(body);
        p.drawArc(QRectF(12, 7, 8, 10), -60 * 16, 120 * 16);
        break;
    }
    case Glyph::Clock:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawLine(QPointF(12, 12), QPointF(12, 6));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
        break;
    case Glyph::Disk:
        p.drawRect(QRectF(4, 4, 16, 16));
        p.drawRect(QRectF(8, 4, 8, 5));
        p.drawRect(QRectF(7, 13, 10, 7));
        break;
    case Glyph::Convert:
        p.drawLine(QPointF(4, 8), QPointF(19, 8));
        p.drawLine(QPointF(15, 4), QPointF(19, 8));
        p.drawLine(QPointF(20, 16), QPointF(5, 16));
        p.drawLine(QPointF(9, 20), QPointF(5, 16));
        break;
    case Glyph::SdCard: {
        QPainterPath card;
        card.moveTo(6, 3);
        card.lineTo(15, 3);
        card.lineTo(19, 7);
        card.lineTo(19, 21);
        card.lineTo(6, 21);
        card.closeSubpath();
        p.drawPath(card);
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(9 + 3 * i, 6), QPointF(9 + 3 * i, 9));
        break;
    }
    case Glyph::Wave: {
        QPainterPath wave;
        wave.moveTo(2, 12);
        wave.lineTo(6, 12);
        wave.lineTo(9, 4);
        wave.lineTo(13, 20);
        wave.lineTo(16, 8);
        wave.lineTo(18, 12);
        wave.lineTo(22, 12);
        p.drawPath(wave);
        break;
    }
    case Glyph::Play: {
        p.setBrush(colour);
        const QPointF triangle[3] = {QPointF(7, 4), QPointF(19, 12), QPointF(7, 20)};
        p.drawPolygon(triangle, 3);
        break;
    }
    case Glyph::Stop:
        p.setBrush(colour);
        p.drawRect(QRectF(6, 6, 12, 12));
        break;
    case Glyph::Document:
        p.drawRect(QRectF(5, 3, 14, 18));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(8, 8 + 4 * i), QPointF(16, 8 + 4 * i));
        break;
    case Glyph::Chart:
        p.drawLine(QPointF(3, 3), QPointF(3, 21));
        p.drawLine(QPointF(3, 21), QPointF(21, 21));
        p.drawLine(QPointF(5, 17), QPointF(10, 11));
        p.drawLine(QPointF(10, 11), QPointF(14, 14));
        p.drawLine(QPointF(14, 14), QPointF(20, 5));
        break;
    case Glyph::Info:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawLine(QPointF(12, 11), QPointF(12, 17));
        p.drawPoint(QPointF(12, 7.5));
        break;
    }
}

QPixmap DrawPicture(const Look& look, QSize size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(size.width(), size.height());
    p.translate((size.width() - side) / 2.0, (size.height() - side) / 2.0);
    p.scale(side / 24.0, side / 24.0);
    DrawGlyph(p, look.glyph, look.colour);
    return picture;
}

const QColor kBlue(30, 90, 170);
const QColor kGreen(20, 130, 60);
const QColor kRed(190, 30, 30);
const QColor kOrange(210, 110, 0);
const QColor kGrey(70, 70, 70);

const std::map<int, Look>& CommandLooks()
{
    static const std::map<int, Look> looks{
        {kCmdPortSetup, {Glyph::Plug, kGrey}},
        {kCmdFirmwareUpgrade, {Glyph::Firmware, kBlue}},
        {kCmdVoiceDownload, {Glyph::Speaker, kGreen}},
        {kCmdControllerTimeSetup, {Glyph::Clock, kBlue}},
        {kCmdModelBackup, {Glyph::Disk, kBlue}},
        {kCmdModelConversion, {Glyph::Convert, kOrange}},
        {kCmdSdCardControl, {Glyph::SdCard, kGrey}},
        {kCmdLiveLogStart, {Glyph::Play, kGreen}},
        {kCmdLiveLogStop, {Glyph::Stop, kRed}},
        {kCmdFileLogView, {Glyph::Document, kGrey}},
        {kCmdAbout, {Glyph::Info, kBlue}},
    };
    return looks;
}

// In the order of the menu pane's image list.
const std::array<Look, kMenuImageCount> kMenuLooks{{
    {Glyph::Radio, kGrey},
    {Glyph::Transmitter, kBlue},
    {Glyph::Firmware, kBlue},
    {Glyph::Speaker, kGreen},
    {Glyph::Speaker, kGreen},
    {Glyph::Clock, kBlue},
    {Glyph::Disk, kBlue},
    {Glyph::Convert, kOrange},
    {Glyph::Plug, kGrey},
    {Glyph::Wave, kOrange},
    {Glyph::Play, kGreen},
    {Glyph::Stop, kRed},
    {Glyph::Document, kGrey},
    {Glyph::Chart, kOrange},
    {Glyph::SdCard, kGrey},
}};

}  // namespace

QIcon CommandIcon(int commandId)
{
    const auto found = CommandLooks().find(commandId);
    if (found == CommandLooks().end())
        return {};
    return QIcon(DrawPicture(found->second, QSize(36, 19)));
}

QPixmap MenuPaneImage(int index)
{
    return DrawPicture(kMenuLooks.at(static_cast<size_t>(index)), QSize(24, 32));
}

QIcon ApplicationIcon()
{
    return QIcon(DrawPicture({Glyph::Transmitter, kBlue}, QSize(32, 32)));
}

QPixmap ProductPicture(QSize size)
{
    QPixmap picture(size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(20, 40, 90));
    sky.setColorAt(1, QColor(70, 130, 200));
    p.fillRect(picture.rect(), sky);
    const qreal side = std::min(size.width(), size.height()) * 0.8;
    p.translate((size.width() - side) / 2.0, (size.height() - side) / 2.0);
    p.scale(side / 24.0, side / 24.0);
    DrawGlyph(p, Glyph::Transmitter, Qt::white);
    return picture;
}

}  // namespace skarnel
