// The registry scan: an existence test of every registry definition's key path.
#pragma once

namespace veltrane {

class App;

// Sets "Scanning Registry" and tests every registry definition.
void ScanRegistryDeep(App& app);
void CheckValueInAllRegistryKeyValues(App& app);

}  // namespace veltrane
