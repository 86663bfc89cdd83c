// The lobby download window.
#include "settings/tdownload.h"

#include "settings/jpegimage.h"
#include "settings/sidewindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

static void initLobbyResources() {
    Q_INIT_RESOURCE(lobby);
}

namespace {

QString defaultFolder() {
    const QString appDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(appDir).isWritable()) return appDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

Tdownload::Tdownload(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    initLobbyResources();
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(QStringLiteral("Download The Zarvel Lobby"));
    sidewindow::applyLook(this);

    const QByteArray env = qgetenv("CRIBBAGE_LOBBY_URL");
    m_address = QUrl(env.isEmpty() ? QString::fromLatin1(kDefaultAddress) : QString::fromUtf8(env));
    m_folder = defaultFolder();

    m_http = new QNetworkAccessManager(this);
    m_http->setProxy(QNetworkProxy::NoProxy);

    // Download panel.
    auto* download = sidewindow::makePanel(this);
    auto* picture = new QLabel(download);
    picture->setObjectName(QStringLiteral("Image1"));
    QFile jpeg(QStringLiteral(":/lobby/lobby.jpg"));
    if (jpeg.open(QIODevice::ReadOnly)) {
        // Stored at twice the size it is shown at, so it stays sharp on a HiDPI screen.
        QPixmap pm = QPixmap::fromImage(jpegimage::decode(jpeg.readAll()));
        pm.setDevicePixelRatio(2);
        picture->setPixmap(pm);
        picture->setFixedSize(pm.deviceIndependentSize().toSize());
    }
    auto* pitch =
        wrapped(QStringLiteral("Download The Zarvel Lobby Now to play this  and other exciting "
                               "games online with other players! "),
                download);
    m_get = new QPushButton(QStringLiteral("Download And Install The Zarvel Lobby Now"), download);
    m_get->setObjectName(QStringLiteral("getbutton"));
    m_abort = new QPushButton(QStringLiteral("Stop Download"), download);
    m_abort->setObjectName(QStringLiteral("abortbutton"));
    m_abort->setEnabled(false);
    m_infolabel = new QLabel(download);
    m_infolabel->setObjectName(QStringLiteral("infolabel"));
    m_infolabel3 = new QLabel(download);
    m_infolabel3->setObjectName(QStringLiteral("infolabel3"));
    m_infolabel2 = new QLabel(download);
    m_infolabel2->setObjectName(QStringLiteral("infolabel2"));
    m_infolabel2->hide();
    connect(m_get, &QPushButton::clicked, this, &Tdownload::getbuttonClick);
    connect(m_abort, &QPushButton::clicked, this, &Tdownload::abortbuttonClick);

    // The picture and the offer side by side; the buttons below them take the panel's whole
    // width, so their captions are never squeezed by the picture.
    auto* dl = new QVBoxLayout(download);
    auto* offer = new QHBoxLayout;
    offer->addWidget(picture, 0, Qt::AlignTop);
    offer->addWidget(pitch, 1);
    dl->addLayout(offer);
    dl->addWidget(m_get);
    dl->addWidget(m_abort);
    dl->addWidget(m_infolabel);
    dl->addWidget(m_infolabel3);
    dl->addWidget(m_infolabel2);

    // Solo panel.
    auto* solo = sidewindow::makePanel(this);
    auto* soloButton = new QPushButton(QStringLiteral("Play Solo Game"), solo);
    soloButton->setObjectName(QStringLiteral("Button1"));
    soloButton->setDefault(true);
    connect(soloButton, &QPushButton::clicked, this, &Tdownload::Button1Click);
    auto* sl = new QVBoxLayout(solo);
    sl->addWidget(
        wrapped(QStringLiteral("To proceed to the game without the ability to play against "
                               "others click the button below."),
                solo));
    sl->addWidget(soloButton);
    sl->addWidget(wrapped(QStringLiteral("Note: Even if you are playing offline, you will need to "
                                         "configure your FIREWALL to allow the game to access the "
                                         "internet components."),
                          solo));

    // Others panel.
    auto* others = sidewindow::makePanel(this);
    auto* othersButton = new QPushButton(QStringLiteral("Play with Others"), others);
    othersButton->setObjectName(QStringLiteral("Button2"));
    connect(othersButton, &QPushButton::clicked, this, &Tdownload::Button2Click);
    auto* ol = new QVBoxLayout(others);
    ol->addWidget(
        wrapped(QStringLiteral("If you already have The Zarvel Lobby and you wish to play "
                               "with others then click the button below to close this game "
                               "and open The Zarvel Lobby."),
                others));
    ol->addWidget(othersButton);

    auto* top = new QVBoxLayout(this);
    top->addWidget(download);
    top->addWidget(solo);
    top->addWidget(others);
    // Wide enough for the longest caption in the font in use, and never narrower than the
    // window was drawn for; the wrapped texts take the height they need at that width.
    const int width = qMax(460, minimumSizeHint().width());
    setFixedWidth(width);
    setMinimumHeight(top->totalHeightForWidth(width));
    resize(width, minimumHeight());
}

Tdownload::~Tdownload() {
    if (m_reply) m_reply->abort();
    delete m_file;
}

void Tdownload::getbuttonClick() {
    if (m_state == Downloading) return;
    m_state = Downloading;
    const QString name =
        m_address.fileName().isEmpty() ? QStringLiteral("lobbysetup") : m_address.fileName();
    m_infolabel2->setText(name);
    delete m_file;
    // The installer only replaces an older copy once it has arrived whole.
    m_file = new QSaveFile(QDir(m_folder).filePath(name));
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_state = Aborted;
        m_infolabel->setText(QStringLiteral("Download Aborted"));
        m_infolabel3->setText(QStringLiteral("Download Aborted"));
        delete m_file;
        m_file = nullptr;
        return;
    }
    m_get->setEnabled(false);
    m_abort->setEnabled(true);
    m_infolabel->setText(QStringLiteral("Loading"));
    m_infolabel3->clear();
    m_bodyBegun = false;
    m_received = 0;

    QNetworkRequest request(m_address);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Mozilla/3.0 (compatible)"));
    request.setRawHeader("Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    m_reply = m_http->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &Tdownload::HttpCli1HeaderData);
    connect(m_reply, &QNetworkReply::readyRead, this, &Tdownload::HttpCli1DocData);
    connect(m_reply, &QNetworkReply::finished, this, &Tdownload::transferEnded);
}

void Tdownload::HttpCli1HeaderData() {
    if (!m_reply) return;
    QString dots;
    dots.fill(QLatin1Char('.'), m_reply->rawHeaderPairs().size());
    m_infolabel->setText(m_infolabel->text() + dots);
}

void Tdownload::HttpCli1DocBegin() {
    m_bodyBegun = true;
    m_infolabel3->setText(QStringLiteral("Downloading: ") + m_infolabel2->text());
}

void Tdownload::HttpCli1DocData() {
    if (!m_reply || !m_file) return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        m_reply->readAll(); // an error page is not the installer
        return;
    }
    if (!m_bodyBegun) HttpCli1DocBegin();
    const QByteArray chunk = m_reply->readAll();
    if (m_file->write(chunk) != chunk.size()) {
        m_file->cancelWriting();
        m_reply->abort();
        return;
    }
    m_received += chunk.size();
    m_infolabel->setText(QString::number(m_received) + QStringLiteral(" bytes"));
}

void Tdownload::abortbuttonClick() {
    if (m_state != Downloading || !m_reply) return;
    m_infolabel->setText(QStringLiteral("Download has been aborted."));
    m_state = Aborted;
    m_infolabel3->setText(QStringLiteral("Download Aborted"));
    m_reply->abort();
}

void Tdownload::transferEnded() {
    QNetworkReply* reply = m_reply;
    if (!reply) return;
    m_reply = nullptr;
    reply->deleteLater();
    if (reply->bytesAvailable() > 0) {
        m_reply = reply;
        HttpCli1DocData();
        m_reply = nullptr;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool failed =
        m_state == Aborted || reply->error() != QNetworkReply::NoError || status >= 400 || !m_file;
    bool saved = false;
    if (failed) {
        m_infolabel->setText(QStringLiteral("Download Aborted"));
        m_state = Aborted;
        if (m_file) m_file->cancelWriting();
    } else {
        saved = m_file->commit();
        if (saved) {
            m_infolabel->setText(QStringLiteral("Received ") +
                                 QString::number(QFileInfo(m_file->fileName()).size()) +
                                 QStringLiteral(" bytes"));
        } else {
            m_infolabel->setText(QStringLiteral("Download Aborted"));
            m_state = Aborted;
        }
    }
    const QString path = m_file ? m_file->fileName() : QString();
    delete m_file;
    m_file = nullptr;
    m_get->setEnabled(true);
    m_abort->setEnabled(false);

    if (saved) {
        m_state = Idle;
        m_infolabel3->setText(QStringLiteral("Installing"));
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner |
                                        QFileDevice::ExeUser);
        const QStringList args = {QStringLiteral("/SP-"), QStringLiteral("/silent"),
                                  QStringLiteral("/noicons")};
        if (startProgram(path, args))
            emit closeMainWindowRequested();
        else
            showMessage(QStringLiteral("An Error has Occurred."));
    }
    emit downloadFinished();
}

void Tdownload::Button1Click() {
    close();
}

QString Tdownload::findLobby() const {
    const QString classic = QString::fromLatin1(kLobbyPath);
    if (QFileInfo::exists(classic)) return classic;
    for (const QString& name : {QStringLiteral("RudediDevaz"), QStringLiteral("rudedidevaz")}) {
        const QString onPath = QStandardPaths::findExecutable(name);
        if (!onPath.isEmpty()) return onPath;
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
        if (QFileInfo(beside).isExecutable()) return beside;
    }
    return {};
}

void Tdownload::Button2Click() {
    const QString lobby = findLobby();
    if (!lobby.isEmpty() && startProgram(lobby, {})) {
        emit closeMainWindowRequested();
        return;
    }
    showMessage(QStringLiteral("Please close the game and open the Zarvel Lobby using the icon on "
                               "your desktop or using the your Window's start-up menu."));
}

bool Tdownload::startProgram(const QString& program, const QStringList& args) {
    return QProcess::startDetached(program, args);
}

void Tdownload::showMessage(const QString& text) {
    sidewindow::showMessage(this, text);
}
