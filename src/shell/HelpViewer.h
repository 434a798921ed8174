#pragma once

#include <QWidget>

class QTextBrowser;

// The help window: one page per context number from ":/help/<language>/<n>.html",
// else the English ":/help/<n>.html", or a short page naming the context when
// neither is there.
class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *parent = nullptr);

    void ShowContext(int contextNumber);
    int contextNumber() const { return m_context; }
    QTextBrowser *browser() const { return m_browser; }

    static QString PageResource(int contextNumber);
    static QString FallbackPage(int contextNumber);

private:
    QTextBrowser *m_browser = nullptr;
    int m_context = 0;
};
