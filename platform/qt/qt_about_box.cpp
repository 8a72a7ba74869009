#include "platform/qt/qt_about_box.h"

#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "resources/bitmap_resources.h"

namespace marvolin::platform::qt {

QtAboutBox::QtAboutBox(const AboutBoxContents& contents) {
    setWindowTitle(QString::fromStdString(contents.title));
    auto* layout = new QVBoxLayout(this);

    auto* logo = new QLabel;
    logo->setObjectName(QStringLiteral("logo"));
    logo->setAlignment(Qt::AlignCenter);
    const auto bitmap = resources::BitmapResource(contents.logoBitmap);
    const QImage image = QImage::fromData(bitmap.data(), static_cast<int>(bitmap.size()), "BMP");
    logo->setPixmap(QPixmap::fromImage(image));
    layout->addWidget(logo);
    layout->addSpacing(8);

    int number = 0;
    for (const std::string& text : contents.lines) {
        auto* line = new QLabel(QString::fromStdString(text));
        line->setObjectName(QStringLiteral("line%1").arg(++number));
        line->setTextFormat(Qt::PlainText);
        line->setAlignment(Qt::AlignHCenter);
        layout->addWidget(line);
    }
    layout->addSpacing(8);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void QtAboutBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace marvolin::platform::qt
