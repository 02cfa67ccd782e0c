#pragma once

#include <QString>
#include <QStringList>

class CMainFrame;

// Shows every page of the main window in turn, lets the first refresh ticks run on it and
// writes the panel view's area as page-00.png, page-01.png, ... into the folder (made when
// missing), so that pixel (x, y) of a picture is (x, y) of the page. Returns the paths written;
// on failure none, with the reason in error.
QStringList WritePageSnapshots(CMainFrame& frame, const QString& directory, QString& error);

// Lets the main window's own timer run until the link shows as connected (a report came) and
// a little longer, so that the device's answer to the announcement arrives; false when no
// report came within the time.
bool WaitForDeviceValues(int timeoutMs);
