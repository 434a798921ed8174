#include "HelpViewer.h"

#include "AppInfo.h"
#include "FormUtil.h"
#include "Messages.h"
#include "Translation.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(ApplicationTitle());
    SetFormIcon(this);
    // Help never keeps the program alive once its own window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);
    QFont font = m_browser->font();
    font.setPointSizeF(qMax(font.pointSizeF(), 11.0));
    m_browser->setFont(font);

    // Big enough for a gloved finger.
    auto *close = new QPushButton(GetMessageText(MessageId::CloseButton), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setMinimumSize(120, 48);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    resize(720, 560);
}

QString HelpViewer::PageResource(int contextNumber)
{
    const QString translated = QStringLiteral(":/help/%1/%2.html").arg(CurrentLanguage()).arg(contextNumber);
    return QFile::exists(translated) ? translated : QStringLiteral(":/help/%1.html").arg(contextNumber);
}

QString HelpViewer::FallbackPage(int contextNumber)
{
    QString help = GetMessageText(MessageId::HelpButton);
    help.remove(QLatin1Char('&'));
    return QStringLiteral("<html><body><h2>%1</h2><p>%2 %3</p></body></html>")
        .arg(ApplicationTitle().toHtmlEscaped(), help.toHtmlEscaped())
        .arg(contextNumber);
}

void HelpViewer::ShowContext(int contextNumber)
{
    m_context = contextNumber;
    const QString resource = PageResource(contextNumber);
    if (QFile::exists(resource)) {
        m_browser->setSource(QUrl(QStringLiteral("qrc") + resource));
    } else {
        m_browser->clearHistory();
        m_browser->setHtml(FallbackPage(contextNumber));
    }
    const QString pageTitle = m_browser->documentTitle();
    setWindowTitle(pageTitle.isEmpty() ? ApplicationTitle() : pageTitle);
}
