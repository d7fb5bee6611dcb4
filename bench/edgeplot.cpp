#include "bench/edgeplot.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace edgeplot {

bool write(const QString &path, const std::vector<Trace> &traces, std::int64_t margin)
{
    constexpr int Width = 720;
    constexpr int Height = 150; // per trace
    constexpr int Left = 10;
    constexpr int Right = 10;
    QImage image(Width, Height * int(traces.size()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (std::size_t t = 0; t < traces.size(); ++t) {
        const Trace &trace = traces[t];
        const double top = double(t) * Height;
        const double middle = top + Height / 2.0 + 8;
        const double scale = (Height / 2.0 - 20);
        const auto frames = std::int64_t(trace.samples.size());
        const auto x = [&](double f) {
            return Left +
                   f * (Width - Left - Right) / double(std::max<std::int64_t>(frames - 1, 1));
        };
        p.setPen(QPen(QColor(200, 200, 200), 1));
        p.drawLine(QPointF(Left, middle), QPointF(Width - Right, middle));
        p.setPen(QPen(QColor(200, 60, 60), 1, Qt::DashLine));
        for (const std::int64_t edge : {margin, margin + trace.length})
            p.drawLine(QPointF(x(double(edge)), top + 22),
                       QPointF(x(double(edge)), top + Height - 4));
        QPainterPath wave;
        for (std::int64_t f = 0; f < frames; ++f) {
            const QPointF point(x(double(f)),
                                middle - double(trace.samples[std::size_t(f)]) * scale);
            if (f == 0)
                wave.moveTo(point);
            else
                wave.lineTo(point);
        }
        p.setPen(QPen(QColor(20, 60, 160), 1));
        p.drawPath(wave);
        p.setPen(Qt::black);
        p.drawText(QPointF(Left, top + 16), trace.label);
    }
    p.end();
    return image.save(path, "PNG");
}

} // namespace edgeplot
