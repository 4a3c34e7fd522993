#pragma once

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTranslator>

#include "common/UiText.h"
#include "platform/Translation.h"

namespace tovra::test {

// The English catalogue for one test: the program itself cannot go back to
// Japanese once it speaks English.
class EnglishForATest {
  public:
    EnglishForATest() {
        const auto file = translationsFolder() / "tovra_en.qm";
        EXPECT_TRUE(catalogue_.load(QString::fromStdString(file.string())));
        QCoreApplication::installTranslator(&catalogue_);
        setUiTranslator([](const char* context, const char* source) {
            return QCoreApplication::translate(context, source).toStdString();
        });
    }
    ~EnglishForATest() {
        setUiTranslator(nullptr);
        QCoreApplication::removeTranslator(&catalogue_);
    }
    EnglishForATest(const EnglishForATest&) = delete;
    EnglishForATest& operator=(const EnglishForATest&) = delete;

  private:
    QTranslator catalogue_;
};

}  // namespace tovra::test
