// CQtSound: the splash sound on QSoundEffect.
#include "platform/qt/QtSound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QUrl>

#include <cstdio>
#include <string>

#include "platform/FileIO.h"

namespace {

// Qt's audio backend complains on standard error when it finds no sound server; a machine
// without sound is no fault of the game's, so the probe is made with Qt's messages muted.
class CMutedQtMessages {
public:
    CMutedQtMessages() : m_previous(qInstallMessageHandler(Drop)) {}
    ~CMutedQtMessages() { qInstallMessageHandler(m_previous); }
    CMutedQtMessages(const CMutedQtMessages&) = delete;
    CMutedQtMessages& operator=(const CMutedQtMessages&) = delete;

private:
    static void Drop(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler m_previous;
};

}  // namespace

void CQtSound::PlayAsync(const std::filesystem::path& wav) {
    std::string why;
    if (!fileio::CheckRegularFile(wav, &why)) {
        std::fprintf(stderr, "sudoku: the sound %s is not played: %s\n", wav.c_str(), why.c_str());
        return;
    }
    bool hasOutput = false;
    {
        const CMutedQtMessages muted;
        hasOutput = !QMediaDevices::audioOutputs().isEmpty();
    }
    if (!hasOutput) {
        return;
    }
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(QString::fromStdString(wav.string())));
    m_effect->play();
}
