// The package as an ES module: the CommonJS module's own objects, so that
// ZentabError is one class whichever way the package is loaded.
import zentab from './index.cjs';

export const { ready, frame, unframe, formatDocument, ZentabError } = zentab;
export default zentab;
