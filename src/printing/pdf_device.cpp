#include "printing/pdf_device.h"

#include "printing/print_failed.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

PdfDevice::PdfDevice(QString path) : m_path(std::move(path)) {}

void PdfDevice::beginDocument()
{
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly))
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setTitle(QCoreApplication::applicationName());
    m_writer->setCreator(QCoreApplication::applicationName());
    const QPageSize page(QLocale::system().measurementSystem() == QLocale::MetricSystem ? QPageSize::A4
                                                                                        : QPageSize::Letter);
    m_writer->setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                                        QPageLayout::Inch));
}

void PdfDevice::delivered()
{
    if (!m_file->commit())
        throw PrintFailed::refused(m_path.toStdString(), m_file->errorString().toStdString());
}
