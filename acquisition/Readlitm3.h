#pragma once
// The acquisition dialog: the service information that goes with a reading,
// the reading of the ЛИТМ-3 reader device with its progress and status, and
// saving everything as a data file. Created for each use and destroyed when
// closed; the reading reaches the rest of the program only as a saved file.

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "acquisition/acquisition_line.h"
#include "acquisition/com_ports.h"
#include "acquisition/status_sink.h"
#include "recorder/datafile.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class UserDialogs;

class TForm_ReadLITM3 : public QDialog {
    Q_OBJECT

  public:
    // startDirectory is where the program started; readings are saved in its
    // folder "Файлы". `dialogs` asks the user where to save and what to do
    // with an unsaved reading.
    TForm_ReadLITM3(QWidget* parent, const QString& startDirectory, UserDialogs& dialogs);
    ~TForm_ReadLITM3() override;

    // Seam for tests: which devices stand behind the names COM0 .. COM14.
    void setPortMap(std::unique_ptr<acquisition::ComPortMap> ports);
    // Seam for tests: the line and ports of this dialog alone.
    void setAcquisitionLine(const acquisition::AcquisitionLine& line);

    int unsavedReading() const { return unsavedReading_; }
    const std::vector<std::uint8_t>& image() const { return image_; }
    QString statusText() const;
    acquisition::StatusColour statusColour() const { return statusColour_; }
    recorder::ServiceTexts serviceTexts() const;

  signals:
    // Every text the status line shows, as it is shown.
    void statusShown(const QString& text);
    // A reading written whole to `path` (sent after the save, not on a failed one).
    void readingSaved(const QString& path);

  public slots:
    void BitBtn_ReadLITM3Click();
    void BitBtn_SaveFileClick();
    void BitBtn_CloseClick();
    // "Прервать" (and Esc) while a reading runs: it stops within half a second.
    void BitBtn_StopClick();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    class Status;
    friend class Status;

    void buildLayout();
    // "Служебная информация": the operator's fields with their defaults.
    void buildServiceFields();
    // The transfer gauge and the buttons under it.
    void buildGaugeAndButtons();
    void setStatusColour(acquisition::StatusColour colour);
    // Buttons, pointer and flag while a reading runs (true) and after it.
    void setReading(bool reading);
    // Asks about an unsaved reading: true when the caller may go on and drop it.
    bool mayDropUnsaved();

    QString startDirectory_;
    UserDialogs& dialogs_;
    acquisition::AcquisitionLine line_;
    std::unique_ptr<acquisition::ComPortMap> ports_;
    std::unique_ptr<Status> status_;
    std::vector<std::uint8_t> image_;
    int unsavedReading_ = 0;
    bool imageReceived_ = false;  // a whole image came, so there is something to save
    bool busy_ = false;
    bool stopRequested_ = false;
    bool dropConfirmed_ = false;  // the user chose "Не сохранять": close without asking again
    acquisition::StatusColour statusColour_ = acquisition::StatusColour::ButtonFace;

    QGroupBox* GroupBox_InputInf = nullptr;
    QLineEdit* Edit_Vladelec = nullptr;
    QLineEdit* Edit_ServOrg = nullptr;
    QLineEdit* Edit_NameOper = nullptr;
    QLineEdit* Edit_NUd = nullptr;
    QLineEdit* MaskEdit_DateRead = nullptr;
    QLineEdit* MaskEdit_DateUd = nullptr;
    QProgressBar* CGauge_Process = nullptr;
    QPushButton* BitBtn_ReadLITM3 = nullptr;
    QPushButton* BitBtn_SaveFile = nullptr;
    QPushButton* BitBtn_Close = nullptr;
    QPushButton* BitBtn_Stop = nullptr;  // in the place of "Закрыть" while a reading runs
    QStatusBar* StatusBar_ReadLITM3 = nullptr;
    QLabel* statusPanel_ = nullptr;
};

// The line every acquisition dialog opened from now on reads from; the
// machine's serial ports until the program chooses another at start.
void setProgramAcquisitionLine(acquisition::AcquisitionLine line);

// Opens the acquisition dialog modally over parent; it is destroyed when closed.
// `saved` is told the path of every reading the dialog saves.
void runReadLitm3Dialog(QWidget* parent, const QString& startDirectory, UserDialogs& dialogs,
                        const std::function<void(const QString&)>& saved = {});
