#ifndef ORVANE_CONTROLLERVERSIONS_H
#define ORVANE_CONTROLLERVERSIONS_H

#include <QString>

class BackendVersions;
class IOManager;

// The controller's version record as the front-end reads it after connecting,
// over whichever channel the caller holds.
namespace ControllerVersions {

// Fills bv from the version queries, each gated by the versions known so far;
// the model code (when read) goes to modelCode.
void read(IOManager* iom, BackendVersions* bv, QString* modelCode);
// Model name of a model code: "0" ZEC, "2" ZEC_M, "20" KESTRELBOX,
// "21" KESTRELBOX3, else the code itself.
QString modelName(const QString& code);

}  // namespace ControllerVersions

#endif
