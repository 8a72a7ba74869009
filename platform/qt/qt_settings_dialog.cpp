#include "platform/qt/qt_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace marvolin::platform::qt {
namespace {

struct Choice {
    int control;
    const char* text;
};

// Two rows of three, as they are laid out.
constexpr Choice kRateButtons[] = {
    {kRate8000Button, "8000 Hz"},   {kRate11025Button, "11025 Hz"}, {kRate16000Button, "16000Hz"},
    {kRate22050Button, "22050 Hz"}, {kRate32000Button, "32000 Hz"}, {kRate44100Button, "44100 Hz"},
};

// From top to bottom; a gap separates the playback switches from the other two.
constexpr Choice kPlaybackBoxes[] = {
    {kPlayAfterLoadingBox, "Play sound automatically after loading"},
    {kPlayAfterProcessingBox, "Play sound automatically after processing"},
    {kPlayAfterUndoBox, "Play sound automatically after undo"},
    {kPlayAfterRecordingBox, "Play sound automatically after recording"},
};
constexpr Choice kOtherBoxes[] = {
    {kDisplayHelpBox, "Display Help"},
    {kAutoTruncateBox, "Auto-truncate recorded sample"},
};

QString Name(int control) {
    return QString::number(control);
}

QComboBox* DeviceList(int control, const std::vector<std::string>& names, int selected) {
    auto* list = new QComboBox;
    list->setObjectName(Name(control));
    for (const std::string& name : names) {
        list->addItem(QString::fromStdString(name));
    }
    list->setCurrentIndex(selected);
    return list;
}

}  // namespace

QtSettingsDialog::QtSettingsDialog(SettingsDialogHandler& handler) : handler_(handler) {
    setWindowTitle(QStringLiteral("Marvolin Settings"));
    const SettingsDialogContents contents = handler_.Open();
    auto checked = [&contents](int control) {
        return std::find(contents.checkedBoxes.begin(), contents.checkedBoxes.end(), control) !=
               contents.checkedBoxes.end();
    };

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Audio Input")));
    QComboBox* inputs = DeviceList(kInputDeviceList, contents.inputDevices, contents.selectedInput);
    left->addWidget(inputs);
    left->addWidget(new QLabel(QStringLiteral("Audio Output")));
    QComboBox* outputs =
        DeviceList(kOutputDeviceList, contents.outputDevices, contents.selectedOutput);
    left->addWidget(outputs);
    left->addWidget(new QLabel(QStringLiteral("Default Directory")));
    auto* directory = new QLineEdit(QString::fromStdString(contents.directory));
    directory->setObjectName(Name(kDirectoryField));
    left->addWidget(directory);
    left->addSpacing(8);
    left->addWidget(new QLabel(QStringLiteral("Sampling Frequency")));
    auto* rates = new QGridLayout;
    // Exclusive, yet with no button checked for a rate outside the six.
    auto* rateGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        const Choice& choice = kRateButtons[i];
        auto* button = new QRadioButton(QString::fromLatin1(choice.text));
        button->setObjectName(Name(choice.control));
        button->setChecked(choice.control == contents.checkedRateButton);
        rateGroup->addButton(button);
        rates->addWidget(button, i / 3, i % 3);
        connect(button, &QRadioButton::clicked, this,
                [this, control = choice.control] { handler_.Clicked(control); });
    }
    left->addLayout(rates);
    left->addStretch();

    auto* right = new QVBoxLayout;
    auto addBox = [&](const Choice& choice) {
        auto* box = new QCheckBox(QString::fromLatin1(choice.text));
        box->setObjectName(Name(choice.control));
        box->setChecked(checked(choice.control));
        right->addWidget(box);
        connect(box, &QCheckBox::clicked, this,
                [this, control = choice.control] { handler_.Clicked(control); });
    };
    for (const Choice& choice : kPlaybackBoxes) {
        addBox(choice);
    }
    right->addSpacing(16);
    for (const Choice& choice : kOtherBoxes) {
        addBox(choice);
    }
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(Name(kSettingsOk));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(Name(kSettingsCancel));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    right->addLayout(buttons);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right);
    columns->setSizeConstraint(QLayout::SetFixedSize);

    // Connected once filled, so that only the user's changes are reported.
    connect(inputs, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (position >= 0) {
            handler_.SelectionChanged(kInputDeviceList, position);
        }
    });
    connect(outputs, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (position >= 0) {
            handler_.SelectionChanged(kOutputDeviceList, position);
        }
    });
    connect(directory, &QLineEdit::textChanged, this, [this](const QString& text) {
        handler_.TextChanged(kDirectoryField, text.toStdString());
    });
    connect(ok, &QPushButton::clicked, this, &QtSettingsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QtSettingsDialog::reject);
}

void QtSettingsDialog::accept() {
    handler_.Clicked(kSettingsOk);
    QDialog::accept();
}

void QtSettingsDialog::reject() {
    handler_.Clicked(kSettingsCancel);
    QDialog::reject();
}

}  // namespace marvolin::platform::qt
