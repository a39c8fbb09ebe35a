// Retakes docs/web-screenshot.png: the page as it opens, in the light scheme.
//   node tests/web/screenshot.mjs [output.png]   (env: ZENTAB_WEB_DIR)
import { launch, openPage } from './browser.mjs';

const output = process.argv[2] ?? 'docs/web-screenshot.png';
const browser = await launch();
const context = await browser.newContext({ viewport: { width: 1280, height: 880 }, colorScheme: 'light' });
const page = await openPage(context);
await page.screenshot({ path: output });
await browser.close();
console.log(output);
