#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// Lets screen readers read the table: its piles as children, each named
// with its top card and how many cards lie face down under it. Installed
// once, for every table view.
void installTableAccessibility();
QAccessibleInterface* tableAccessibleFactory(const QString& className, QObject* object);
