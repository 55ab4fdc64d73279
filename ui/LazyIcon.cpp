#include "ui/LazyIcon.h"

#include <QIconEngine>
#include <memory>

namespace mx615 {

namespace {

class LazyIconEngine : public QIconEngine {
public:
    explicit LazyIconEngine(std::function<QIcon()> make) : state_(std::make_shared<State>(std::move(make))) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Known to have a picture: asking must not read it.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("mx615-lazy"); }
    QIconEngine* clone() const override { return new LazyIconEngine(*this); }

private:
    // Copies of the icon share what one of them has read.
    struct State {
        explicit State(std::function<QIcon()> m) : make(std::move(m)) {}
        std::function<QIcon()> make;
        QIcon icon;
    };

    QIcon& icon()
    {
        if (state_->make) {
            state_->icon = state_->make();
            state_->make = nullptr;
        }
        return state_->icon;
    }

    std::shared_ptr<State> state_;
};

}  // namespace

QIcon LazyIcon(std::function<QIcon()> make)
{
    return QIcon(new LazyIconEngine(std::move(make)));
}

}  // namespace mx615
