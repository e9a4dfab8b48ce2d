#include "acquisition/Readlitm3.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

#include "acquisition/litm3_protocol.h"
#include "acquisition/save_reading.h"
#include "base/local_time.h"
#include "dialogs/user_dialogs.h"

namespace {

// The width of each free-text field's place in the data file: every character
// typed becomes at most one Windows-1251 byte, so a character limit keeps the
// text inside its slot.
constexpr int kOwnerWidth = static_cast<int>(recorder::trailer::kOwner.width);
constexpr int kServiceOrganisationWidth =
    static_cast<int>(recorder::trailer::kServiceOrganisation.width);
constexpr int kOperatorNameWidth = static_cast<int>(recorder::trailer::kOperatorName.width);
constexpr int kCertificateNumberWidth =
    static_cast<int>(recorder::trailer::kCertificateNumber.width);

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

acquisition::AcquisitionLine& programLine() {
    static acquisition::AcquisitionLine line = acquisition::realAcquisitionLine();
    return line;
}

// The progress gauge: a navy bar from the left with its percentage in the
// middle, the figures white where they stand over the bar and black over the
// empty part, so they read at every value.
class ProcessGauge : public QProgressBar {
  public:
    using QProgressBar::QProgressBar;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    static QColor fillColour() { return {0, 0, 128}; }
};

void ProcessGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(inside, Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(frame);

    const int span = maximum() - minimum();
    const double share = span > 0 ? double(value() - minimum()) / span : 0.0;
    const int filled = static_cast<int>(inside.width() * std::clamp(share, 0.0, 1.0) + 0.5);
    const QRect bar(inside.left(), inside.top(), filled, inside.height());
    painter.fillRect(bar, fillColour());

    if (!isTextVisible()) return;
    const QString label = text();
    painter.setFont(font());
    // The same text twice, each clipped to its side of the bar's edge.
    painter.save();
    painter.setClipRect(inside.adjusted(filled, 0, 0, 0));
    painter.setPen(Qt::black);
    painter.drawText(inside, Qt::AlignCenter, label);
    painter.restore();
    painter.setClipRect(bar);
    painter.setPen(Qt::white);
    painter.drawText(inside, Qt::AlignCenter, label);
}

QFont boldFont(QFont font) {
    font.setBold(true);
    return font;
}

}  // namespace

// Status line and gauge of the dialog. The reading blocks the window's thread,
// so every change is painted at once, and pending paint events are handled
// (without user input) so that the window stays drawn throughout.
class TForm_ReadLITM3::Status : public acquisition::StatusSink {
  public:
    explicit Status(TForm_ReadLITM3& form) : form_(form) {}

    void setStatusText(const std::string& utf8) override {
        form_.statusPanel_->setText(fromUtf8(utf8));
        emit form_.statusShown(form_.statusPanel_->text());
    }
    void setStatusColour(acquisition::StatusColour colour) override {
        form_.setStatusColour(colour);
    }
    void repaintStatus() override {
        form_.StatusBar_ReadLITM3->repaint();
        keepPainted();
    }
    void setGauge(int percent) override {
        form_.CGauge_Process->setValue(percent);
        keepPainted();
    }
    // The user's input ("Прервать", Esc) is handled here, every 50 ms at most,
    // so a stop is seen well within half a second.
    bool stopRequested() override {
        if (form_.busy_ && (!sinceInput_.isValid() || sinceInput_.elapsed() >= 50)) {
            sinceInput_.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        return form_.stopRequested_;
    }

  private:
    void keepPainted() {
        if (form_.busy_) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    TForm_ReadLITM3& form_;
    QElapsedTimer sinceInput_;
};

TForm_ReadLITM3::TForm_ReadLITM3(QWidget* parent, const QString& startDirectory,
                                 UserDialogs& dialogs)
    : QDialog(parent),
      startDirectory_(startDirectory),
      dialogs_(dialogs),
      line_(programLine()),
      ports_(line_.makePorts()),
      status_(std::make_unique<Status>(*this)),
      image_(recorder::kImageSize, 0) {
    setObjectName("Form_ReadLITM3");
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
    MaskEdit_DateRead->setText(fromUtf8(acquisition::formatReadingDate(recorder::localNow())));
}

TForm_ReadLITM3::~TForm_ReadLITM3() = default;

void TForm_ReadLITM3::buildLayout() {
    setWindowTitle(QStringLiteral("Считывание информации с ЛИТМ-3"));
    // Only the close box: a minimised modal dialog would hide the whole
    // program with it under some window managers.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(561, 256);

    buildServiceFields();
    buildGaugeAndButtons();

    StatusBar_ReadLITM3 = new QStatusBar(this);
    StatusBar_ReadLITM3->setObjectName("StatusBar_ReadLITM3");
    StatusBar_ReadLITM3->setSizeGripEnabled(false);
    StatusBar_ReadLITM3->setGeometry(0, 236, 561, 20);
    StatusBar_ReadLITM3->setContentsMargins(0, 0, 0, 0);
    statusPanel_ = new QLabel(QStringLiteral("Выполняемая операция..."), StatusBar_ReadLITM3);
    statusPanel_->setObjectName("StatusBar_ReadLITM3_Panel");
    statusPanel_->setAutoFillBackground(true);
    statusPanel_->setContentsMargins(4, 0, 4, 0);
    StatusBar_ReadLITM3->addWidget(statusPanel_, 1);
    setStatusColour(acquisition::StatusColour::ButtonFace);
}

void TForm_ReadLITM3::buildServiceFields() {
    const recorder::ServiceTexts defaults = acquisition::defaultServiceTexts(recorder::localNow());

    GroupBox_InputInf = new QGroupBox(QStringLiteral("Служебная информация"), this);
    GroupBox_InputInf->setObjectName("GroupBox_InputInf");
    GroupBox_InputInf->setGeometry(8, 8, 545, 129);

    auto makeEdit = [this](const char* name) {
        auto* edit = new QLineEdit(GroupBox_InputInf);
        edit->setObjectName(name);
        edit->setFont(boldFont(edit->font()));
        edit->setStyleSheet(QStringLiteral("QLineEdit { color: navy; background: white; }"));
        return edit;
    };
    Edit_Vladelec = makeEdit("Edit_Vladelec");
    Edit_Vladelec->setMaxLength(kOwnerWidth);
    Edit_Vladelec->setText(fromUtf8(defaults.owner));
    Edit_ServOrg = makeEdit("Edit_ServOrg");
    Edit_ServOrg->setMaxLength(kServiceOrganisationWidth);
    Edit_ServOrg->setText(fromUtf8(defaults.serviceOrganisation));
    Edit_NameOper = makeEdit("Edit_NameOper");
    Edit_NameOper->setMaxLength(kOperatorNameWidth);
    Edit_NameOper->setText(fromUtf8(defaults.operatorName));
    Edit_NUd = makeEdit("Edit_NUd");
    Edit_NUd->setMaxLength(kCertificateNumberWidth);
    Edit_NUd->setText(fromUtf8(defaults.certificateNumber));
    // Digits only, the separators part of the text; the first hour digit may be left out.
    MaskEdit_DateRead = makeEdit("MaskEdit_DateRead");
    MaskEdit_DateRead->setInputMask(QStringLiteral("99.99.9999 09:99;_"));
    MaskEdit_DateUd = makeEdit("MaskEdit_DateUd");
    MaskEdit_DateUd->setInputMask(QStringLiteral("99.99.9999;_"));
    MaskEdit_DateUd->setText(fromUtf8(defaults.certificateValidUntil));

    auto* grid = new QGridLayout(GroupBox_InputInf);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setVerticalSpacing(3);
    auto label = [this](const QString& text, QLineEdit* buddy) {
        auto* l = new QLabel(text, GroupBox_InputInf);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(QStringLiteral("Владелец крана:"), Edit_Vladelec), 0, 0);
    grid->addWidget(Edit_Vladelec, 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Сервисная организация:"), Edit_ServOrg), 1, 0);
    grid->addWidget(Edit_ServOrg, 1, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Информацию считал:"), Edit_NameOper), 2, 0);
    grid->addWidget(Edit_NameOper, 2, 1);
    grid->addWidget(label(QStringLiteral("Удост. №"), Edit_NUd), 3, 0);
    grid->addWidget(Edit_NUd, 3, 1);
    grid->addWidget(label(QStringLiteral("Дата считывания:"), MaskEdit_DateRead), 2, 2);
    grid->addWidget(MaskEdit_DateRead, 2, 3);
    grid->addWidget(label(QStringLiteral("Срок действия:"), MaskEdit_DateUd), 3, 2);
    grid->addWidget(MaskEdit_DateUd, 3, 3);
    grid->setColumnStretch(1, 1);
    MaskEdit_DateRead->setFixedWidth(130);
    MaskEdit_DateUd->setFixedWidth(130);
}

void TForm_ReadLITM3::buildGaugeAndButtons() {
    CGauge_Process = new ProcessGauge(this);
    CGauge_Process->setObjectName("CGauge_Process");
    CGauge_Process->setGeometry(8, 152, 545, 25);
    CGauge_Process->setRange(0, 100);
    CGauge_Process->setValue(0);
    CGauge_Process->setAlignment(Qt::AlignCenter);
    CGauge_Process->setFormat(QStringLiteral("%p%"));

    auto makeButton = [this](const char* name, const QString& text, int x, int width) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setFont(boldFont(button->font()));
        button->setGeometry(x, 200, width, 27);
        button->setAutoDefault(false);
        return button;
    };
    BitBtn_ReadLITM3 = makeButton("BitBtn_ReadLITM3", QStringLiteral("Считать информацию"), 8, 249);
    BitBtn_SaveFile = makeButton("BitBtn_SaveFile", QStringLiteral("Сохранить"), 264, 177);
    BitBtn_Close = makeButton("BitBtn_Close", QStringLiteral("Закрыть"), 448, 105);
    BitBtn_Stop = makeButton("BitBtn_Stop", QStringLiteral("Прервать"), 448, 105);
    BitBtn_Stop->hide();
    // Nothing to save before an image has come.
    BitBtn_SaveFile->setEnabled(false);
    connect(BitBtn_Stop, &QPushButton::clicked, this, &TForm_ReadLITM3::BitBtn_StopClick);
    connect(BitBtn_ReadLITM3, &QPushButton::clicked, this, &TForm_ReadLITM3::BitBtn_ReadLITM3Click);
    connect(BitBtn_SaveFile, &QPushButton::clicked, this, &TForm_ReadLITM3::BitBtn_SaveFileClick);
    connect(BitBtn_Close, &QPushButton::clicked, this, &TForm_ReadLITM3::BitBtn_CloseClick);
}

void TForm_ReadLITM3::setPortMap(std::unique_ptr<acquisition::ComPortMap> ports) {
    ports_ = std::move(ports);
}

void TForm_ReadLITM3::setAcquisitionLine(const acquisition::AcquisitionLine& line) {
    line_ = line;
    ports_ = line_.makePorts();
}

void setProgramAcquisitionLine(acquisition::AcquisitionLine line) {
    programLine() = std::move(line);
}

QString TForm_ReadLITM3::statusText() const {
    return statusPanel_->text();
}

void TForm_ReadLITM3::setStatusColour(acquisition::StatusColour colour) {
    statusColour_ = colour;
    QColor background = palette().color(QPalette::Button);
    QColor text = palette().color(QPalette::ButtonText);
    switch (colour) {
        case acquisition::StatusColour::ButtonFace:
            break;
        case acquisition::StatusColour::Red:
            background = QColor(0xFF, 0x00, 0x00);
            text = Qt::white;
            break;
        case acquisition::StatusColour::Yellow:
            background = QColor(0xFF, 0xFF, 0x00);
            text = Qt::black;
            break;
        case acquisition::StatusColour::Green:
            background = QColor(0x00, 0x80, 0x00);
            text = Qt::white;
            break;
    }
    QPalette p = statusPanel_->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    statusPanel_->setPalette(p);
}

namespace {

// A masked field keeps its full width: a digit left out is a blank, so the
// reading date always takes its 16 characters ("08.12.2006  9:45").
std::string maskedText(const QLineEdit* edit) {
    QString text = edit->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text.toStdString();
}

}  // namespace

recorder::ServiceTexts TForm_ReadLITM3::serviceTexts() const {
    recorder::ServiceTexts texts;
    texts.owner = Edit_Vladelec->text().toStdString();
    texts.serviceOrganisation = Edit_ServOrg->text().toStdString();
    texts.operatorName = Edit_NameOper->text().toStdString();
    texts.certificateNumber = Edit_NUd->text().toStdString();
    texts.certificateValidUntil = maskedText(MaskEdit_DateUd);
    texts.readingDate = maskedText(MaskEdit_DateRead);
    return texts;
}

void TForm_ReadLITM3::BitBtn_ReadLITM3Click() {
    if (busy_ || !mayDropUnsaved()) return;
    setReading(true);
    const std::unique_ptr<acquisition::SerialLine> line = line_.makeLine();
    std::vector<acquisition::PortCandidate> ports = acquisition::comPortCandidates(*ports_);
    // The status names the device behind each COM name: "COM0 (/dev/ttyUSB0)".
    for (acquisition::PortCandidate& port : ports)
        if (!port.device.empty()) port.name += " (" + port.device + ")";
    // A reading that fails or is stopped leaves the image held before as it was.
    std::vector<std::uint8_t> incoming(recorder::kImageSize, 0);
    int complete = 0;
    acquisition::readDevice(*line, ports, *status_, incoming, complete);
    setReading(false);
    if (complete == 1) {
        image_.swap(incoming);
        unsavedReading_ = 1;
        imageReceived_ = true;
        dropConfirmed_ = false;
    }
    BitBtn_SaveFile->setEnabled(imageReceived_);
}

void TForm_ReadLITM3::setReading(bool reading) {
    busy_ = reading;
    stopRequested_ = false;
    BitBtn_ReadLITM3->setEnabled(!reading);
    BitBtn_SaveFile->setEnabled(!reading && imageReceived_);
    BitBtn_Close->setVisible(!reading);
    BitBtn_Stop->setVisible(reading);
    // The transfer holds the window for about half a minute: the pointer says
    // so, and still points at "Прервать".
    if (reading)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TForm_ReadLITM3::BitBtn_StopClick() {
    if (busy_) stopRequested_ = true;
}

void TForm_ReadLITM3::BitBtn_SaveFileClick() {
    // Before a whole image has come the buffer holds no reading, only zeros.
    if (busy_ || !imageReceived_) return;
    const QString folder = QDir(startDirectory_).filePath(QStringLiteral("Файлы"));
    QDir().mkpath(folder);

    const recorder::DataFile image(image_);
    status_->setStatusText(image.textSlot(recorder::kBank0Offset + recorder::bank::kCraneModel,
                                          recorder::bank::kCraneModelWidth));
    status_->repaintStatus();
    const QString proposed = fromUtf8(acquisition::proposedFileName(image_, recorder::localNow()));
    SaveFileQuestion question;
    question.objectName = QStringLiteral("SaveDialog_FileLITM");
    question.directory = folder;
    question.proposedName = proposed + QStringLiteral(".litm");
    question.filter = QStringLiteral("Файлы РП ТИРС-48С (*.litm)");
    question.defaultSuffix = QStringLiteral("litm");
    const QString path = dialogs_.getSaveFileName(this, question);
    if (path.isEmpty()) return;

    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const acquisition::SaveResult result = acquisition::saveReading(
        path.toStdString(), image_, serviceTexts(), *status_, unsavedReading_);
    QApplication::restoreOverrideCursor();
    busy_ = false;
    if (!result.ok) {
        dialogs_.showError(this, fromUtf8(result.message), QStringLiteral("Ошибка"));
        return;
    }
    emit readingSaved(path);
}

bool TForm_ReadLITM3::mayDropUnsaved() {
    if (unsavedReading_ != 1 || dropConfirmed_) return true;
    switch (dialogs_.askSaveDiscardCancel(
        this, QStringLiteral("Предупреждение"),
        QStringLiteral("Файл с информацией не сохранен! \nСохранить?"))) {
        case SaveChoice::Save:
            // The dialog stays open whatever the save's outcome; the user goes on.
            BitBtn_SaveFileClick();
            return false;
        case SaveChoice::Discard:
            dropConfirmed_ = true;
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

void TForm_ReadLITM3::BitBtn_CloseClick() {
    if (busy_) return;
    if (mayDropUnsaved()) close();
}

void TForm_ReadLITM3::keyPressEvent(QKeyEvent* event) {
    // Esc stops a running reading; otherwise it would close the dialog and
    // drop an unsaved reading without the question that "Закрыть" asks.
    if (event->key() == Qt::Key_Escape) {
        BitBtn_StopClick();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm_ReadLITM3::closeEvent(QCloseEvent* event) {
    // While a reading or a save runs the window is only repainted; a close
    // request then would destroy the dialog under the running operation: it
    // stops the reading instead. The title bar's close box asks about an
    // unsaved reading as "Закрыть" does.
    if (busy_) {
        BitBtn_StopClick();
        event->ignore();
        return;
    }
    if (!mayDropUnsaved()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void runReadLitm3Dialog(QWidget* parent, const QString& startDirectory, UserDialogs& dialogs,
                        const std::function<void(const QString&)>& saved) {
    QPointer<TForm_ReadLITM3> dialog = new TForm_ReadLITM3(parent, startDirectory, dialogs);
    if (saved) QObject::connect(dialog, &TForm_ReadLITM3::readingSaved, dialog, saved);
    dialogs.runModal(*dialog);
}
