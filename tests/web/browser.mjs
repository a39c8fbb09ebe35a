// Debian's chromium under playwright-core, with nothing that reaches out.
import path from 'node:path';
import { chromium } from 'playwright-core';

export const pagePath = path.resolve(process.env.ZENTAB_WEB_DIR ?? 'build-web', 'zentab.html');
export const pageUrl = `file://${pagePath}`;

// playwright-core gives each launch a fresh profile directory of its own.
export async function launch() {
    return chromium.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        args: [
            '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
        ],
    });
}

// Opens the page and waits until it has framed its first table.
export async function openPage(context, url = pageUrl) {
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForSelector('html[data-ready="true"]');
    return page;
}
