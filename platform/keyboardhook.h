#pragma once
// Placeholder: filled in by the feature that needs it.
