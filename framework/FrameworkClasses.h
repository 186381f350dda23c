#pragma once
// Makes every class of the framework known to the class registry by name.

void RegisterFrameworkClasses();
