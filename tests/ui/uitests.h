#pragma once

class QObject;

// Each widget test file makes its test object; main() runs them in turn.
namespace qmx::uitest {

QObject* newServicesTest();
QObject* newDialogsTest();
QObject* newMapBarTest();
QObject* newMainFrameTest();
QObject* newMapWindowTest();
QObject* newScreenshotTest();
QObject* newTransferTest();
QObject* newHexViewTest();
QObject* newMonitorTest();
QObject* newComPortTest();
QObject* newConstantEditorTest();
QObject* newCompareTest();
QObject* newMultiMapTest();

} // namespace qmx::uitest
