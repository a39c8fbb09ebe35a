// Debian's chromium under playwright-core, with nothing that reaches out.
import fs from 'node:fs';
import http from 'node:http';
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

// Serves the page on 127.0.0.1 (a secure origin, as the clipboard needs) and
// counts what is asked of it.
export async function servePage() {
    const body = fs.readFileSync(pagePath);
    const hits = [];
    const server = http.createServer((request, response) => {
        hits.push(request.url);
        if (request.url.split('?')[0] === '/zentab.html') {
            response.writeHead(200, { 'content-type': 'text/html; charset=utf-8' });
            response.end(body);
        } else {
            response.writeHead(404);
            response.end();
        }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return {
        url: `http://127.0.0.1:${server.address().port}/zentab.html`,
        hits,
        close: () => new Promise((resolve) => server.close(resolve)),
    };
}

// The page's controls by role and accessible name, as a person would find them.
export function controls(page) {
    return {
        input: page.getByRole('textbox', { name: 'Input', exact: true }),
        output: page.getByRole('textbox', { name: 'Output', exact: true }),
        alert: page.getByRole('alert'),
        frameType: (type) => page.getByRole('radiogroup', { name: 'Frame type' })
            .getByRole('radio', { name: `type ${type}`, exact: true }),
        positionType: (letter) => page.getByRole('radiogroup', { name: 'Position type' })
            .getByRole('radio', { name: `type ${letter}`, exact: true }),
        width: page.getByRole('combobox', { name: 'Width' }),
        encoding: page.getByRole('combobox', { name: 'Encoding' }),
        format: page.getByRole('combobox', { name: 'Input format' }),
        frameWidth: page.getByRole('spinbutton', { name: 'Frame width' }),
        fitOutput: page.getByRole('checkbox', { name: 'fit Output' }),
        cellWidth: page.getByRole('textbox', { name: 'Cell width' }),
        overflow: page.getByRole('combobox', { name: 'Overflow' }),
        align: page.getByRole('textbox', { name: 'Align' }),
        padding: page.getByRole('spinbutton', { name: 'Padding' }),
        rules: page.getByRole('combobox', { name: 'Rules' }),
        columns: page.getByRole('textbox', { name: 'Columns' }),
        sort: page.getByRole('textbox', { name: 'Sort' }),
        number: page.getByRole('textbox', { name: 'Format', exact: true }),
        missing: page.getByRole('textbox', { name: 'Missing' }),
        layout: page.getByRole('combobox', { name: 'Rows as' }),
        title: page.getByRole('textbox', { name: 'Title' }),
        footer: page.getByRole('textbox', { name: 'Footer' }),
        titleAlign: page.getByRole('combobox', { name: 'Placed' }),
        copy: page.getByRole('button', { name: 'Copy' }),
        download: page.getByRole('button', { name: 'Download' }),
    };
}

// Chooses everything through the controls; width 'narrow' | 'wide', encoding
// 'UTF-8' | 'Shift-JIS', format 'psv' | 'csv' | 'tsv' | 'markdown' | 'frame';
// the fit as typed: frameWidth, cellWidth, align and padding strings,
// overflow, rules, layout and titleAlign as their options read; columns, sort,
// number, missing, title and footer as typed.
export async function choose(page, {
    text, frame, position, width, encoding, format, frameWidth, cellWidth, overflow, align, padding, rules, columns, sort,
    number, missing, layout, title, footer, titleAlign,
}) {
    const c = controls(page);
    for (const [control, value] of [[c.frameWidth, frameWidth], [c.cellWidth, cellWidth], [c.align, align], [c.padding, padding],
        [c.columns, columns], [c.sort, sort], [c.number, number], [c.missing, missing], [c.title, title], [c.footer, footer]]) {
        if (value !== undefined) await control.fill(value);
    }
    if (titleAlign !== undefined) await c.titleAlign.selectOption({ label: titleAlign });
    if (overflow !== undefined) await c.overflow.selectOption({ label: overflow });
    if (rules !== undefined) await c.rules.selectOption({ label: rules });
    if (layout !== undefined) await c.layout.selectOption({ label: layout });
    if (format !== undefined) await c.format.selectOption({ label: format });
    if (encoding !== undefined) await c.encoding.selectOption({ label: encoding });
    if (width !== undefined) await c.width.selectOption({ label: width });
    if (frame !== undefined) await c.frameType(frame).check();
    if (position !== undefined) await c.positionType(position).check();
    if (text !== undefined) await c.input.fill(text);
}

// Once the page has framed what it was given: Output is busy until then.
export function settled(page) {
    return page.waitForSelector('#output[aria-busy="false"]', { timeout: 60000 });
}

// The page's answer: the Output text and the alert text.
export async function answer(page) {
    await settled(page);
    const c = controls(page);
    return { output: await c.output.textContent(), alert: (await c.alert.textContent()).trim() };
}
