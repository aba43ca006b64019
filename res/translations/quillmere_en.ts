<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>关于 Quillmere</source>
        <translation>About Quillmere</translation>
    </message>
    <message>
        <source>变压器绕组自动计算软件</source>
        <translation>Automatic transformer winding design</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CQuillmereApp</name>
    <message>
        <source>无法打开窗口: 没有设置显示。请设置 DISPLAY (X11) 或 WAYLAND_DISPLAY (Wayland)。</source>
        <translation>Cannot open a window: no display is set. Set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland).</translation>
    </message>
    <message>
        <source>无法打开窗口: 无法连接显示 %1。请检查 DISPLAY (X11) 或 WAYLAND_DISPLAY (Wayland)。</source>
        <translation>Cannot open a window: the display %1 cannot be reached. Check DISPLAY (X11) or WAYLAND_DISPLAY (Wayland).</translation>
    </message>
    <message>
        <source>无法打开窗口: 窗口系统 &quot;%1&quot; (QT_QPA_PLATFORM) 不可用。请设置 DISPLAY (X11) 或 WAYLAND_DISPLAY (Wayland)。</source>
        <translation>Cannot open a window: the window system &quot;%1&quot; (QT_QPA_PLATFORM) is not available. Set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland).</translation>
    </message>
    <message>
        <source>未知的选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1 缺少参数</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>一次只能打开一个设计文件, 却给了: %1</source>
        <translation>only one design file can be opened at a time, not: %1</translation>
    </message>
    <message>
        <source>用法: quillmere [--lang en|zh] [设计.qmd]
      quillmere [--lang en|zh] --winding-sheet OUT.pdf [--design 设计.qmd] [--solution N]</source>
        <translation>Usage: quillmere [--lang en|zh] [DESIGN.qmd]
       quillmere [--lang en|zh] --winding-sheet OUT.pdf [--design DESIGN.qmd] [--solution N]</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>分析中 %3d%%  第 %d 轮</source>
        <translation>Analysing %3d%%  pass %d</translation>
    </message>
    <message>
        <source>没有找到合适的解法,参数可能不合理!</source>
        <translation>No solution; check the inputs!</translation>
    </message>
    <message>
        <source>分析总数: </source>
        <translation>Analysed: </translation>
    </message>
    <message>
        <source>找到解法: </source>
        <translation>Found: </translation>
    </message>
    <message>
        <source>搜索轮次: </source>
        <translation>Passes: </translation>
    </message>
    <message>
        <source>无法写入标准输出：</source>
        <translation>Cannot write the standard output: </translation>
    </message>
    <message>
        <source>搜索网格很大：每轮 %s 个候选。按 Ctrl+C 可停止。
</source>
        <translation>The search grid is large: %s candidates per pass. Ctrl+C stops it.
</translation>
    </message>
    <message>
        <source>已中断，没有输出。</source>
        <translation>Interrupted; nothing was written.</translation>
    </message>
    <message>
        <source>未知的参数：</source>
        <translation>Unexpected arguments:</translation>
    </message>
    <message>
        <source>%s：你是指 %s 吗？</source>
        <translation>%s: did you mean %s?</translation>
    </message>
    <message>
        <source>：缺少参数</source>
        <translation>: a value is missing</translation>
    </message>
    <message>
        <source>命令行有误：</source>
        <translation>Bad command line: </translation>
    </message>
    <message>
        <source>值不可用：</source>
        <translation>Bad value: </translation>
    </message>
    <message>
        <source>选项互相矛盾：</source>
        <translation>Options contradict each other: </translation>
    </message>
    <message>
        <source>：缺少文件名</source>
        <translation>: a file name is missing</translation>
    </message>
    <message>
        <source>最低输入电压，V AC</source>
        <translation>minimum input voltage, V AC</translation>
    </message>
    <message>
        <source>最高输入电压，V AC</source>
        <translation>maximum input voltage, V AC</translation>
    </message>
    <message>
        <source>输出电压，V</source>
        <translation>output voltage, V</translation>
    </message>
    <message>
        <source>输出电流，A</source>
        <translation>output current, A</translation>
    </message>
    <message>
        <source>反馈绕组电压，V</source>
        <translation>feedback winding voltage, V</translation>
    </message>
    <message>
        <source>最低整流电压，V DC</source>
        <translation>minimum rectified voltage, V DC</translation>
    </message>
    <message>
        <source>变压器传递效率，%</source>
        <translation>transformer transfer efficiency, %</translation>
    </message>
    <message>
        <source>磁芯有效截面积，mm²</source>
        <translation>core effective area, mm²</translation>
    </message>
    <message>
        <source>骨架槽宽，mm</source>
        <translation>bobbin slot width, mm</translation>
    </message>
    <message>
        <source>骨架槽深，mm</source>
        <translation>bobbin slot depth, mm</translation>
    </message>
    <message>
        <source>辅助绕组线径，mm</source>
        <translation>auxiliary winding wire diameter, mm</translation>
    </message>
    <message>
        <source>峰值磁通密度的中心值，高斯</source>
        <translation>peak flux density centre, gauss</translation>
    </message>
    <message>
        <source>峰值磁通密度的 ± 范围，高斯</source>
        <translation>± span of the peak flux density, gauss</translation>
    </message>
    <message>
        <source>导通占空比的中心值，%</source>
        <translation>on-duty centre, %</translation>
    </message>
    <message>
        <source>导通占空比的 ± 范围，%</source>
        <translation>± span of the on-duty, %</translation>
    </message>
    <message>
        <source>开关频率的中心值，kHz</source>
        <translation>switching frequency centre, kHz</translation>
    </message>
    <message>
        <source>开关频率的 ± 范围，kHz</source>
        <translation>± span of the frequency, kHz</translation>
    </message>
    <message>
        <source>开关管导通压降，V</source>
        <translation>switch on-state drop, V</translation>
    </message>
    <message>
        <source>输出二极管正向压降，V</source>
        <translation>output diode forward drop, V</translation>
    </message>
    <message>
        <source>线圈温升，度</source>
        <translation>coil temperature rise, degrees</translation>
    </message>
    <message>
        <source>绕组深度上限，占槽深的 %</source>
        <translation>winding depth limit, % of the slot depth</translation>
    </message>
    <message>
        <source>第一绕组的最小占比，%</source>
        <translation>first winding minimum share, %</translation>
    </message>
    <message>
        <source>槽宽余量，%</source>
        <translation>slot width reserve, %</translation>
    </message>
    <message>
        <source>胶带厚度，mm</source>
        <translation>tape thickness, mm</translation>
    </message>
    <message>
        <source>绕组间的胶带圈数</source>
        <translation>tape turns between windings</translation>
    </message>
    <message>
        <source>输出占空比，%（CC 模式）</source>
        <translation>output duty, % (CC mode)</translation>
    </message>
    <message>
        <source>空闲比，%（CV 模式）</source>
        <translation>idle ratio, % (CV mode)</translation>
    </message>
    <message>
        <source>最多列出的解法数</source>
        <translation>most solutions listed</translation>
    </message>
    <message>
        <source>1 恒流（PFM），0 恒压（PWM）</source>
        <translation>1 CC (PFM), 0 CV (PWM)</translation>
    </message>
    <message>
        <source>1 三明治绕法</source>
        <translation>1 sandwich winding</translation>
    </message>
    <message>
        <source>1 考虑集肤效应</source>
        <translation>1 consider the skin effect</translation>
    </message>
    <message>
        <source>1 只取偶数匝数</source>
        <translation>1 even turn counts only</translation>
    </message>
    <message>
        <source>1 允许三明治绕法内换线</source>
        <translation>1 allow a wire change inside the sandwich</translation>
    </message>
    <message>
        <source>初级候选线径，如 0.20,0.21,0.23</source>
        <translation>primary candidate wires, e.g. 0.20,0.21,0.23</translation>
    </message>
    <message>
        <source>次级候选线径，如 0.30</source>
        <translation>secondary candidate wires, e.g. 0.30</translation>
    </message>
    <message>
        <source>初级并绕股数，整数</source>
        <translation>parallel primary strands, a whole number</translation>
    </message>
    <message>
        <source>次级并绕股数</source>
        <translation>parallel secondary strands</translation>
    </message>
    <message>
        <source>损耗数据的工作温度，°C</source>
        <translation>operating temperature of the loss figures, °C</translation>
    </message>
    <message>
        <source>排序依据：fill、loss、temperature 或 volume</source>
        <translation>rank by fill, loss, temperature or volume</translation>
    </message>
    <message>
        <source>不取温升高于此值的解法，K；0 不限</source>
        <translation>reject a temperature rise above, K; 0 no limit</translation>
    </message>
    <message>
        <source>不取 Bpk/Bsat 高于此值的解法，%；0 不限</source>
        <translation>reject a Bpk/Bsat above, %; 0 no limit</translation>
    </message>
    <message>
        <source>不取总损耗高于此值的解法，W；0 不限</source>
        <translation>reject a total loss above, W; 0 no limit</translation>
    </message>
    <message>
        <source>用默认设计或一个设计文件做一次反激变压器分析，按选项修改设计，
列出排好序的解法。</source>
        <translation>Runs one flyback transformer analysis on the built-in defaults or a design file,
changed by the options, and prints the ranked solutions.</translation>
    </message>
    <message>
        <source>开关量取 1 或 0；线径组是以逗号分隔的线表直径（mm）。
--design 从设计文件（.qmd，见 docs/design-file.md）开始，而不是从默认值；
其余选项无论写在哪里都修改它。
退出状态：0 已分析（或已保存设计），1 无法保存设计，2 用法错误或设计文件有误，
3 被分析检查拒绝。</source>
        <translation>Flags take 1 or 0; a wire set is a comma-separated list of catalogue diameters (mm).
--design starts from a design file (.qmd, docs/design-file.md) instead of the defaults; the
other options change it wherever they stand.
Exit status: 0 analysed (or design saved), 1 the design could not be saved, 2 bad usage or
a bad design file, 3 refused by the analyse checks.</translation>
    </message>
    <message>
        <source>设计输入</source>
        <translation>Design inputs</translation>
    </message>
    <message>
        <source>规则</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>文件与输出</source>
        <translation>Files and output</translation>
    </message>
    <message>
        <source>用法</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>控制器：0 ----，1 BP3105，2 PL3532，3 PSR通用</source>
        <translation>controller: 0 ----, 1 BP3105, 2 PL3532, 3 generic PSR</translation>
    </message>
    <message>
        <source>从这个设计文件开始</source>
        <translation>start from this design file</translation>
    </message>
    <message>
        <source>把设计写入这个文件后停止</source>
        <translation>write the design to this file and stop</translation>
    </message>
    <message>
        <source>table（默认）、json 或 csv</source>
        <translation>table (default), json or csv</translation>
    </message>
    <message>
        <source>等同于 --format json</source>
        <translation>same as --format json</translation>
    </message>
    <message>
        <source>标题和消息的语言：en 或 zh（未给出时看 QUILLMERE_LANG，再没有则为 zh）</source>
        <translation>headings and messages in en or zh (else QUILLMERE_LANG, else zh)</translation>
    </message>
    <message>
        <source>显示本帮助后停止</source>
        <translation>show this help and stop</translation>
    </message>
    <message>
        <source>显示版本后停止</source>
        <translation>show the version and stop</translation>
    </message>
    <message>
        <source>未知的磁芯：</source>
        <translation>Unknown core: </translation>
    </message>
    <message>
        <source>未知的骨架：</source>
        <translation>Unknown bobbin: </translation>
    </message>
    <message>
        <source>未知的材质：</source>
        <translation>Unknown material: </translation>
    </message>
    <message>
        <source>你是指：</source>
        <translation>Did you mean: </translation>
    </message>
    <message>
        <source>--min-ae 与 --max-ae 只用于 --cores all 或磁芯系列</source>
        <translation>--min-ae and --max-ae only bound --cores all or a family</translation>
    </message>
    <message>
        <source>所选范围内没有可搜索的磁芯：</source>
        <translation>No core to search in the chosen set: </translation>
    </message>
    <message>
        <source>--bobbin 需要 --core 或带磁芯的设计</source>
        <translation>--bobbin needs --core or a design with a core</translation>
    </message>
    <message>
        <source>--material 需要 --core、--cores 或带磁芯的设计</source>
        <translation>--material needs --core, --cores or a design with a core</translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>系列</source>
        <translation>Family</translation>
    </message>
    <message>
        <source>槽宽 (mm)</source>
        <translation>Slot width (mm)</translation>
    </message>
    <message>
        <source>槽深 (mm)</source>
        <translation>Slot depth (mm)</translation>
    </message>
    <message>
        <source>骨架</source>
        <translation>Bobbins</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>磁芯库</source>
        <translation>Core catalogue</translation>
    </message>
    <message>
        <source>绕在这个磁芯库磁芯上（Ae 与槽取自磁芯库）</source>
        <translation>wind on this catalogue core (Ae and slot from the catalogue)</translation>
    </message>
    <message>
        <source>磁芯的骨架，按名称或厂家型号（默认：其第一个）</source>
        <translation>the core&apos;s bobbin by name or maker reference (default: its first)</translation>
    </message>
    <message>
        <source>磁芯材质（默认 N87）</source>
        <translation>the ferrite (default N87)</translation>
    </message>
    <message>
        <source>在这些磁芯中搜索：all、一个系列或 NAME[,NAME...]</source>
        <translation>search these cores: all, a family or NAME[,NAME...]</translation>
    </message>
    <message>
        <source>与 --cores all 或系列同用：最小 Ae，mm²</source>
        <translation>with --cores all or a family: smallest Ae, mm²</translation>
    </message>
    <message>
        <source>与 --cores all 或系列同用：最大 Ae，mm²</source>
        <translation>with --cores all or a family: largest Ae, mm²</translation>
    </message>
    <message>
        <source>列出磁芯库的磁芯后停止</source>
        <translation>list the catalogue&apos;s cores and stop</translation>
    </message>
    <message>
        <source>列出磁芯库的材质后停止</source>
        <translation>list the catalogue&apos;s materials and stop</translation>
    </message>
    <message>
        <source>从这个文件再读入磁芯和材质（可重复）</source>
        <translation>read more cores and materials from this file (repeatable)</translation>
    </message>
</context>
<context>
    <name>CoreCatalogueDialog</name>
    <message>
        <source>(默认)</source>
        <translation>(default)</translation>
    </message>
    <message>
        <source>(不合理)</source>
        <translation>(implausible)</translation>
    </message>
    <message>
        <source>(通用)</source>
        <translation>(generic)</translation>
    </message>
    <message>
        <source>磁芯库</source>
        <translation>Core catalogue</translation>
    </message>
    <message>
        <source>查找:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>名称或别名</source>
        <translation>name or alias</translation>
    </message>
    <message>
        <source>系列:</source>
        <translation>Family:</translation>
    </message>
    <message>
        <source>全部系列</source>
        <translation>All families</translation>
    </message>
    <message>
        <source>Ae 范围:</source>
        <translation>Ae range:</translation>
    </message>
    <message>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <source>显示不合理的形状</source>
        <translation>Show implausible shapes</translation>
    </message>
    <message>
        <source>尺寸自相矛盾的磁芯不参与系列搜索</source>
        <translation>Shapes whose dimensions contradict themselves are left out of a family search</translation>
    </message>
    <message>
        <source>骨架:</source>
        <translation>Bobbin:</translation>
    </message>
    <message>
        <source>材质:</source>
        <translation>Material:</translation>
    </message>
    <message>
        <source>清除勾选</source>
        <translation>Clear ticks</translation>
    </message>
    <message>
        <source>使用此磁芯</source>
        <translation>Use this core</translation>
    </message>
    <message>
        <source>在所选磁芯中搜索</source>
        <translation>Search the selected cores</translation>
    </message>
    <message>
        <source>搜索勾选的磁芯;未勾选时搜索筛选出的系列和 Ae 范围</source>
        <translation>Searches the ticked cores; with none ticked, the family and Ae range the filters show</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>搜索范围:勾选的磁芯(%1)</source>
        <translation>To search: ticked cores (%1)</translation>
    </message>
    <message>
        <source>搜索范围:%1 系列(%2)</source>
        <translation>To search: family %1 (%2)</translation>
    </message>
    <message>
        <source>搜索范围:全部磁芯(%1)</source>
        <translation>To search: all cores (%1)</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>勾选要一起搜索的磁芯</source>
        <translation>Tick the cores to search together</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>系列</source>
        <translation>Family</translation>
    </message>
    <message>
        <source>槽宽 × 槽深 (mm)</source>
        <translation>Slot W × D (mm)</translation>
    </message>
    <message>
        <source>默认骨架的槽宽与槽深</source>
        <translation>Slot width and depth of the default bobbin</translation>
    </message>
    <message>
        <source>骨架数</source>
        <translation>Bobbins</translation>
    </message>
    <message>
        <source>别名:%1</source>
        <translation>Aliases: %1</translation>
    </message>
    <message>
        <source>形状不合理:%1</source>
        <translation>Implausible shape: %1</translation>
    </message>
</context>
<context>
    <name>DesignDocument</name>
    <message>
        <source>保存对设计的更改吗?</source>
        <translation>Save the changes to the design?</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>不保存(&amp;N)</source>
        <translation>Do&amp;n&apos;t Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
</context>
<context>
    <name>DesignFile</name>
    <message>
        <source>缺少</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>未知的成员</source>
        <translation>unknown member</translation>
    </message>
    <message>
        <source>出现了两次</source>
        <translation>given twice</translation>
    </message>
    <message>
        <source>应为数，却是 %s</source>
        <translation>expected a number, found %s</translation>
    </message>
    <message>
        <source>应为整数，却是 %s</source>
        <translation>expected a whole number, found %s</translation>
    </message>
    <message>
        <source>应为对象，却是 %s</source>
        <translation>expected an object, found %s</translation>
    </message>
    <message>
        <source>应为文本，却是 %s</source>
        <translation>expected a text, found %s</translation>
    </message>
    <message>
        <source>应为 true 或 false，却是 %s</source>
        <translation>expected true or false, found %s</translation>
    </message>
    <message>
        <source>应为 %s 之一，却是 %s</source>
        <translation>expected one of %s, found %s</translation>
    </message>
    <message>
        <source>应为线径列表，却是 %s</source>
        <translation>expected a list of wire sizes, found %s</translation>
    </message>
    <message>
        <source>应为线径文本，却是 %s</source>
        <translation>expected a wire size text, found %s</translation>
    </message>
    <message>
        <source>不是有限的数</source>
        <translation>not a finite number</translation>
    </message>
    <message>
        <source>在单精度下不是有限的数：%s</source>
        <translation>not a finite number in single precision: %s</translation>
    </message>
    <message>
        <source>%s 超出范围（%s 到 %s）</source>
        <translation>%s is out of range (%s to %s)</translation>
    </message>
    <message>
        <source>%s 不是规则对话框能存下的数目</source>
        <translation>%s is no count the rules dialog can hold</translation>
    </message>
    <message>
        <source>%s 不是引脚号（1 到 %s）</source>
        <translation>%s is no pin number (1 to %s)</translation>
    </message>
    <message>
        <source>%s 不大于零</source>
        <translation>%s is not above zero</translation>
    </message>
    <message>
        <source>长于 %s 字节</source>
        <translation>longer than %s bytes</translation>
    </message>
    <message>
        <source>含有控制字符</source>
        <translation>holds a control character</translation>
    </message>
    <message>
        <source>没有列出线径</source>
        <translation>no wire size listed</translation>
    </message>
    <message>
        <source>未知的线径 %s</source>
        <translation>unknown wire size %s</translation>
    </message>
    <message>
        <source>线径 %s 列出了两次</source>
        <translation>wire size %s listed twice</translation>
    </message>
    <message>
        <source>不是 Quillmere 设计文件（应为对象，却是 %s）</source>
        <translation>not a Quillmere design file (expected an object, found %s)</translation>
    </message>
    <message>
        <source>不是 Quillmere 设计文件（应为 &quot;%s&quot;，却是 %s）</source>
        <translation>not a Quillmere design file (expected &quot;%s&quot;, found %s)</translation>
    </message>
    <message>
        <source>%s 比本程序能读的版本（%s）新</source>
        <translation>%s is newer than this program reads (%s)</translation>
    </message>
    <message>
        <source>%s 不是本格式的版本</source>
        <translation>%s is no version of the format</translation>
    </message>
    <message>
        <source>不支持 4 (L6562)</source>
        <translation>4 (L6562) is not supported</translation>
    </message>
    <message>
        <source>不是有效的 JSON（第 %s 行，第 %s 列）</source>
        <translation>not valid JSON (line %s, column %s)</translation>
    </message>
    <message>
        <source>是文件夹，不是设计文件</source>
        <translation>is a folder, not a design file</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>大于 %s 字节</source>
        <translation>larger than %s bytes</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>could not be read</translation>
    </message>
    <message>
        <source>对象</source>
        <translation>an object</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>a list</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>a text</translation>
    </message>
    <message>
        <source>文本 %s</source>
        <translation>the text %s</translation>
    </message>
    <message>
        <source>无</source>
        <translation>nothing</translation>
    </message>
    <message>
        <source>应为 null 或不小于 0 的 mm² 数，却是 %s</source>
        <translation>expected null or a number of mm² not below 0, found %s</translation>
    </message>
    <message>
        <source>应为磁芯名称列表，却是 %s</source>
        <translation>expected a list of core names, found %s</translation>
    </message>
    <message>
        <source>没有给出磁芯名称</source>
        <translation>no core named</translation>
    </message>
</context>
<context>
    <name>DesignForm</name>
    <message>
        <source>设计条件</source>
        <translation>Design inputs</translation>
    </message>
    <message>
        <source>系统算法</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>最低输入电压(Vac)</source>
        <translation>Min. input (Vac)</translation>
    </message>
    <message>
        <source>最高输入电压(Vac)</source>
        <translation>Max. input (Vac)</translation>
    </message>
    <message>
        <source>输出电压(V)</source>
        <translation>Output voltage (V)</translation>
    </message>
    <message>
        <source>输出电流(A)</source>
        <translation>Output current (A)</translation>
    </message>
    <message>
        <source>反馈绕组电压(Vf)</source>
        <translation>Aux. voltage (V)</translation>
    </message>
    <message>
        <source>最低整流电压(Vdc)</source>
        <translation>Min. DC bus (Vdc)</translation>
    </message>
    <message>
        <source>变压器传递效率(%)</source>
        <translation>Efficiency (%)</translation>
    </message>
    <message>
        <source>磁芯AE(mm^2)</source>
        <translation>Core Ae (mm²)</translation>
    </message>
    <message>
        <source>骨架槽宽(mm)</source>
        <translation>Bobbin width (mm)</translation>
    </message>
    <message>
        <source>骨架槽深(mm)</source>
        <translation>Bobbin depth (mm)</translation>
    </message>
    <message>
        <source>辅助绕组线径(mm)</source>
        <translation>Aux. wire (mm)</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>规则</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>PSR通用</source>
        <translation>PSR gen.</translation>
    </message>
    <message>
        <source>参数错误！</source>
        <translation>Invalid input!</translation>
    </message>
    <message>
        <source>系统正忙!请等待分析完成!</source>
        <translation>Busy! Please wait until the analysis has finished!</translation>
    </message>
    <message>
        <source>L6562暂未提供支持!</source>
        <translation>The L6562 is not supported yet!</translation>
    </message>
    <message>
        <source>找到解法:</source>
        <translation>Found:</translation>
    </message>
    <message>
        <source>线程正在执行搜索中,分析总数:</source>
        <translation>Searching, analysed:</translation>
    </message>
    <message>
        <source>扩大范围深度搜索（%1),分析总数:</source>
        <translation>Widened search (%1), analysed:</translation>
    </message>
    <message>
        <source>正在提取结果，请稍后......:</source>
        <translation>Extracting the results:</translation>
    </message>
    <message>
        <source>分析线程搜索完成.....分析总数:</source>
        <translation>Search finished; analysed:</translation>
    </message>
    <message>
        <source>没有找到合适的解法,参数可能不合理!</source>
        <translation>No solution; check the inputs!</translation>
    </message>
    <message>
        <source>关于 Quillmere(&amp;A)...</source>
        <translation>&amp;About Quillmere...</translation>
    </message>
    <message>
        <source>无法打开设计文件:
%1</source>
        <translation>Cannot open the design file:
%1</translation>
    </message>
    <message>
        <source>设计</source>
        <translation>design</translation>
    </message>
    <message>
        <source>没有可导出的解法!请先分析。</source>
        <translation>No solutions to export! Analyse first.</translation>
    </message>
    <message>
        <source>无法导出绕组规格书:
%1</source>
        <translation>Cannot export the winding sheet:
%1</translation>
    </message>
    <message>
        <source>无法保存文件:
%1
%2</source>
        <translation>Cannot save the file:
%1
%2</translation>
    </message>
    <message>
        <source>打开设计(&amp;O)...</source>
        <translation>&amp;Open Design...</translation>
    </message>
    <message>
        <source>保存设计(&amp;S)...</source>
        <translation>&amp;Save Design...</translation>
    </message>
    <message>
        <source>导出结果(&amp;E)...</source>
        <translation>&amp;Export Results...</translation>
    </message>
    <message>
        <source>导出绕组图(&amp;D)...</source>
        <translation>Export Winding &amp;Diagram...</translation>
    </message>
    <message>
        <source>导出绕组规格书(&amp;P)...</source>
        <translation>Export Winding Sheet (&amp;PDF)...</translation>
    </message>
    <message>
        <source>这个设计文件已不存在, 已从最近的设计中移除:
%1</source>
        <translation>This design file no longer exists; it was taken off the recent designs:
%1</translation>
    </message>
    <message>
        <source>最近的设计(&amp;R)</source>
        <translation>&amp;Recent Designs</translation>
    </message>
    <message>
        <source>只能拖入一个设计文件 (.qmd)。</source>
        <translation>Drop one design file (.qmd) only.</translation>
    </message>
    <message>
        <source>结果已导出; 设计没有写在旁边, 因为 %1 已存在, 而且是另一个设计。</source>
        <translation>The results were exported; the design was not written beside them because %1 exists and holds another design.</translation>
    </message>
    <message>
        <source>结果已导出; 无法写入旁边的设计文件:
%1
%2</source>
        <translation>The results were exported; the design file beside them cannot be written:
%1
%2</translation>
    </message>
    <message>
        <source>搜索网格很大：每轮 %1 个候选，可能要分析很长时间。仍要分析吗？</source>
        <translation>The search grid is large: %1 candidates per pass, which may take a very long time. Analyse anyway?</translation>
    </message>
    <message>
        <source>磁芯库(&amp;K)...</source>
        <translation>Core &amp;catalogue...</translation>
    </message>
    <message>
        <source>未知的磁芯：%1</source>
        <translation>Unknown core: %1</translation>
    </message>
    <message>
        <source>未知的骨架：%1</source>
        <translation>Unknown bobbin: %1</translation>
    </message>
    <message>
        <source>未知的材质：%1</source>
        <translation>Unknown material: %1</translation>
    </message>
    <message>
        <source>你是指：%1</source>
        <translation>Did you mean: %1</translation>
    </message>
    <message>
        <source>所选范围内没有可搜索的磁芯</source>
        <translation>No core to search in the chosen set</translation>
    </message>
    <message>
        <source>(在 %1 个磁芯中搜索)</source>
        <translation>(searching %1 cores)</translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>已经有一个线程在分析中!请等待分析完成!</source>
        <translation>An analysis is already running! Please wait until it has finished!</translation>
    </message>
    <message>
        <source>功率超过IC最大输出!</source>
        <translation>The power exceeds the IC&apos;s maximum output!</translation>
    </message>
    <message>
        <source>规则参数超出范围,请检查!</source>
        <translation>A rule value is out of range, please check!</translation>
    </message>
    <message>
        <source>请键入一个数。</source>
        <translation>Please enter a number.</translation>
    </message>
    <message>
        <source>请键入一个整数。</source>
        <translation>Please enter an integer.</translation>
    </message>
    <message>
        <source>读取用户参数......</source>
        <translation>Reading the inputs......</translation>
    </message>
    <message>
        <source>执行分析线程......</source>
        <translation>Starting the analysis......</translation>
    </message>
    <message>
        <source>分值</source>
        <translation>Score</translation>
    </message>
</context>
<context>
    <name>FileChooser</name>
    <message>
        <source>Quillmere 设计</source>
        <translation>Quillmere design</translation>
    </message>
    <message>
        <source>CSV 表格</source>
        <translation>CSV table</translation>
    </message>
    <message>
        <source>PNG 图像</source>
        <translation>PNG image</translation>
    </message>
    <message>
        <source>PNG 图像, 2 倍像素</source>
        <translation>PNG image, double size</translation>
    </message>
    <message>
        <source>SVG 矢量图</source>
        <translation>SVG vector image</translation>
    </message>
    <message>
        <source>PDF 文档</source>
        <translation>PDF document</translation>
    </message>
    <message>
        <source>打开设计</source>
        <translation>Open Design</translation>
    </message>
    <message>
        <source>保存设计</source>
        <translation>Save Design</translation>
    </message>
    <message>
        <source>导出结果</source>
        <translation>Export Results</translation>
    </message>
    <message>
        <source>导出绕组图</source>
        <translation>Export Winding Diagram</translation>
    </message>
    <message>
        <source>导出绕组规格书</source>
        <translation>Export Winding Sheet</translation>
    </message>
</context>
<context>
    <name>PsrCalculatorDialog</name>
    <message>
        <source>设计条件</source>
        <translation>Design inputs</translation>
    </message>
    <message>
        <source>输出电压(V)</source>
        <translation>Vout (V)</translation>
    </message>
    <message>
        <source>输出电流(A)</source>
        <translation>Iout (A)</translation>
    </message>
    <message>
        <source>反馈电压(V)</source>
        <translation>Vaux (V)</translation>
    </message>
    <message>
        <source>变压器效率(%)</source>
        <translation>Efficiency(%)</translation>
    </message>
    <message>
        <source>磁芯AE(mm2)</source>
        <translation>Core Ae(mm²)</translation>
    </message>
    <message>
        <source>期望频率(KHz)</source>
        <translation>Target f(kHz)</translation>
    </message>
    <message>
        <source>分析(A)</source>
        <translation>Analyse (A)</translation>
    </message>
    <message>
        <source>变压器参数</source>
        <translation>Transformer</translation>
    </message>
    <message>
        <source>初级感量(μH)</source>
        <translation>Lp (μH)</translation>
    </message>
    <message>
        <source>初级圈数(Ts)</source>
        <translation>Np (Ts)</translation>
    </message>
    <message>
        <source>次级圈数(Ts)</source>
        <translation>Ns (Ts)</translation>
    </message>
    <message>
        <source>反馈圈数(Ts)</source>
        <translation>Nf (Ts)</translation>
    </message>
    <message>
        <source>初/次匝比</source>
        <translation>Np/Ns</translation>
    </message>
    <message>
        <source>实际频率(KHz)</source>
        <translation>Actual f(kHz)</translation>
    </message>
    <message>
        <source>退出(Q)</source>
        <translation>Quit (Q)</translation>
    </message>
    <message>
        <source>参数不合理,请检查!</source>
        <translation>Inputs out of range; please check them.</translation>
    </message>
</context>
<context>
    <name>RankingLimitsDialog</name>
    <message>
        <source>排序与限值</source>
        <translation>Ranking and limits</translation>
    </message>
    <message>
        <source>排序依据</source>
        <translation>Rank by</translation>
    </message>
    <message>
        <source>末层占比</source>
        <translation>Last-layer fill</translation>
    </message>
    <message>
        <source>总损耗</source>
        <translation>Total loss</translation>
    </message>
    <message>
        <source>温升</source>
        <translation>Temperature rise</translation>
    </message>
    <message>
        <source>磁芯体积</source>
        <translation>Core volume</translation>
    </message>
    <message>
        <source>工作温度(°C)</source>
        <translation>Operating temperature (°C)</translation>
    </message>
    <message>
        <source>最大温升(K)</source>
        <translation>Max. temperature rise (K)</translation>
    </message>
    <message>
        <source>最大 Bpk/Bsat(%)</source>
        <translation>Max. Bpk/Bsat (%)</translation>
    </message>
    <message>
        <source>最大总损耗(W)</source>
        <translation>Max. total loss (W)</translation>
    </message>
    <message>
        <source>限值为 0 或空时不限。</source>
        <translation>A limit of 0 or empty is off.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1须在 %2 到 %3 之间!</source>
        <translation>%1 must be between %2 and %3.</translation>
    </message>
    <message>
        <source>%1不能小于 %2!</source>
        <translation>%1 must not be below %2.</translation>
    </message>
</context>
<context>
    <name>ResultTableModel</name>
    <message>
        <source>磁芯</source>
        <translation>Core</translation>
    </message>
</context>
<context>
    <name>RulesDialog</name>
    <message>
        <source>规则设置</source>
        <translation>Design Rules</translation>
    </message>
    <message>
        <source> 输出模式</source>
        <translation> Output mode</translation>
    </message>
    <message>
        <source>规则</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>开关管导通压降(V)</source>
        <translation>Switch on-drop (V)</translation>
    </message>
    <message>
        <source>输出二极管压降(V)</source>
        <translation>Output diode drop (V)</translation>
    </message>
    <message>
        <source>线圈温升(°)</source>
        <translation>Temperature rise (K)</translation>
    </message>
    <message>
        <source>绕线深度不超过(%)</source>
        <translation>Max. fill depth (%)</translation>
    </message>
    <message>
        <source>第一绕组最小比例(%)</source>
        <translation>Min. first share (%)</translation>
    </message>
    <message>
        <source>槽宽预留(%)</source>
        <translation>Margin (% of width)</translation>
    </message>
    <message>
        <source>胶带厚度(mm)</source>
        <translation>Tape thickness (mm)</translation>
    </message>
    <message>
        <source>绕组间胶带圈数(mm)</source>
        <translation>Tape turns</translation>
    </message>
    <message>
        <source>峰值磁通密度</source>
        <translation>Peak flux density</translation>
    </message>
    <message>
        <source>高斯</source>
        <translation>G</translation>
    </message>
    <message>
        <source>导通占空比</source>
        <translation>Duty cycle</translation>
    </message>
    <message>
        <source>PFM频率范围</source>
        <translation>PFM frequency</translation>
    </message>
    <message>
        <source>输出占空比</source>
        <translation>Output duty</translation>
    </message>
    <message>
        <source>空闲比例</source>
        <translation>Idle ratio</translation>
    </message>
    <message>
        <source>最多显示解法数量</source>
        <translation>Max. solutions</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>考虑集肤效应</source>
        <translation>Skin effect</translation>
    </message>
    <message>
        <source>三明治绕法</source>
        <translation>Sandwich</translation>
    </message>
    <message>
        <source>允许三明治饶换线</source>
        <translation>Allow wire change</translation>
    </message>
    <message>
        <source>匝数取偶</source>
        <translation>Even Np</translation>
    </message>
    <message>
        <source>漆包线规格(mm)</source>
        <translation>Magnet wire sizes (mm)</translation>
    </message>
    <message>
        <source>初级*</source>
        <translation>Pri.*</translation>
    </message>
    <message>
        <source>ADD》</source>
        <translation>Add &gt;&gt;</translation>
    </message>
    <message>
        <source>《Remove</source>
        <translation>&lt;&lt; Remove</translation>
    </message>
    <message>
        <source>次级*</source>
        <translation>Sec.*</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>PWM频率</source>
        <translation>PWM frequency</translation>
    </message>
    <message>
        <source>数据错误,请检查!</source>
        <translation>Invalid data, please check!</translation>
    </message>
    <message>
        <source>漆包线列表不能为空!</source>
        <translation>The wire lists must not be empty!</translation>
    </message>
    <message>
        <source>没有选择任何数据!</source>
        <translation>Nothing is selected!</translation>
    </message>
    <message>
        <source>排序与限值...</source>
        <translation>Ranking and limits...</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>没有文件名</source>
        <translation>no file name</translation>
    </message>
    <message>
        <source>已有同名的文件夹</source>
        <translation>a folder of that name is in the way</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>设备上没有空间</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>权限不够</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>不允许的操作</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>没有那个文件或目录</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>是一个文件夹</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>文件名过长</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>输入/输出错误</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>断开的管道</source>
        <translation>Broken pipe</translation>
    </message>
</context>
<context>
    <name>WindingSheet</name>
    <message>
        <source>没有第 %1 个解法（共 %2 个）。</source>
        <translation>There is no solution %1 (%2 in all).</translation>
    </message>
    <message>
        <source>磁芯库中没有 %1</source>
        <translation>The core catalogue has no %1</translation>
    </message>
    <message>
        <source>第 %1 个解法的绕组与当前设计不符（槽宽、线径、股数或绕法在分析后改过），请重新分析。</source>
        <translation>The windings of solution %1 no longer match the design (slot width, wires, strands or winding changed after the analysis); please analyse again.</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>无法生成 PDF</source>
        <translation>cannot make the PDF</translation>
    </message>
    <message>
        <source>胶带 %1 层 × %2</source>
        <translation>Tape %1 layers × %2</translation>
    </message>
    <message>
        <source>%1 %2 %3，%4</source>
        <translation>%1 %2 %3, %4</translation>
    </message>
    <message>
        <source>1 层</source>
        <translation>1 layer</translation>
    </message>
    <message>
        <source>%1 层</source>
        <translation>%1 layers</translation>
    </message>
    <message>
        <source>槽宽 %1</source>
        <translation>Slot width %1</translation>
    </message>
    <message>
        <source>骨架（中柱侧）&#x3000;绕线深度上限 %1（红虚线）</source>
        <translation>Bobbin (centre-leg side)   winding depth limit %1 (red dashes)</translation>
    </message>
    <message>
        <source>槽深 %1</source>
        <translation>Slot depth %1</translation>
    </message>
    <message>
        <source>两侧挡墙胶带各 %1</source>
        <translation>Margin tape %1 each side</translation>
    </message>
    <message>
        <source>● 起绕端（同名端）。所有绕组同向绕制；次级与反馈绕组的起绕端与初级反相（反激）。</source>
        <translation>● Start (dotted end). All windings wound in one direction; secondary and auxiliary starts opposite to the primary (flyback).</translation>
    </message>
    <message>
        <source>%1 的末端与 %2 的始端同接脚 %3，两半串联。</source>
        <translation>The finish of %1 and the start of %2 both go to pin %3: the halves in series.</translation>
    </message>
    <message>
        <source>初级</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>初级前半</source>
        <translation>Primary, 1st half</translation>
    </message>
    <message>
        <source>初级后半</source>
        <translation>Primary, 2nd half</translation>
    </message>
    <message>
        <source>次级</source>
        <translation>Secondary</translation>
    </message>
    <message>
        <source>反馈绕组</source>
        <translation>Auxiliary</translation>
    </message>
    <message>
        <source>— 未选目录磁芯</source>
        <translation>— no catalogue core chosen</translation>
    </message>
    <message>
        <source>— 尚无损耗模型（绕组长度未知）</source>
        <translation>— no loss model yet (turn lengths unknown)</translation>
    </message>
    <message>
        <source>1 匝</source>
        <translation>1 turn</translation>
    </message>
    <message>
        <source>%1 匝</source>
        <translation>%1 turns</translation>
    </message>
    <message>
        <source>变压器绕组规格书</source>
        <translation>Transformer Winding Sheet</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>设计文件：%1&#x3000;&#x3000;解法 No. %2</source>
        <translation>Design file: %1    Solution No. %2</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Rev.</translation>
    </message>
    <message>
        <source>绘制</source>
        <translation>Drawn by</translation>
    </message>
    <message>
        <source>页</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>审核</source>
        <translation>Checked by</translation>
    </message>
    <message>
        <source>磁芯与骨架</source>
        <translation>Core and bobbin</translation>
    </message>
    <message>
        <source>%1 ± %2 %（按此研磨气隙）</source>
        <translation>%1 ± %2 % (grind the gap to this)</translation>
    </message>
    <message>
        <source>%1（参考）；垫片法：垫片厚 %2</source>
        <translation>%1 (ref.); by spacer: %2</translation>
    </message>
    <message>
        <source>磁芯型号</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>磁芯材质</source>
        <translation>Core material</translation>
    </message>
    <message>
        <source>骨架 / 脚数</source>
        <translation>Bobbin / pins</translation>
    </message>
    <message>
        <source>有效截面积 Ae</source>
        <translation>Effective area Ae</translation>
    </message>
    <message>
        <source>骨架槽</source>
        <translation>Bobbin slot</translation>
    </message>
    <message>
        <source>宽 %1 × 深 %2</source>
        <translation>width %1 × depth %2</translation>
    </message>
    <message>
        <source>电感系数 AL</source>
        <translation>Inductance factor AL</translation>
    </message>
    <message>
        <source>中柱气隙 lg</source>
        <translation>Centre-leg gap lg</translation>
    </message>
    <message>
        <source>修正气隙（边缘磁通、磁芯磁阻）</source>
        <translation>Gap, fringing corrected</translation>
    </message>
    <message>
        <source>储能 ½·Lp·Ipk²</source>
        <translation>Stored energy ½·Lp·Ipk²</translation>
    </message>
    <message>
        <source>AL = Lp / Np²（Np = %1）；lg = µ0·Np²·Ae / Lp，未计边缘磁通与磁芯磁阻。</source>
        <translation>AL = Lp / Np² (Np = %1); lg = µ0·Np²·Ae / Lp, without fringing or core reluctance.</translation>
    </message>
    <message>
        <source>Ø%1 1级漆包线</source>
        <translation>Ø%1 grade 1</translation>
    </message>
    <message>
        <source> × %1 股并绕</source>
        <translation> × %1 strands</translation>
    </message>
    <message>
        <source>绕线说明（自骨架向外）</source>
        <translation>Winding instructions (from the bobbin outwards)</translation>
    </message>
    <message>
        <source>序</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>绕组</source>
        <translation>Winding</translation>
    </message>
    <message>
        <source>起脚→止脚</source>
        <translation>Start → finish</translation>
    </message>
    <message>
        <source>匝数</source>
        <translation>Turns</translation>
    </message>
    <message>
        <source>线材</source>
        <translation>Magnet wire</translation>
    </message>
    <message>
        <source>每层匝数</source>
        <translation>Turns/layer</translation>
    </message>
    <message>
        <source>层数</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>末层匝数</source>
        <translation>Last layer</translation>
    </message>
    <message>
        <source>绕法</source>
        <translation>Winding</translation>
    </message>
    <message>
        <source>其上胶带</source>
        <translation>Tape over it</translation>
    </message>
    <message>
        <source>同向，均匀排满槽宽</source>
        <translation>one direction, even</translation>
    </message>
    <message>
        <source>%1 层 × %2</source>
        <translation>%1 layers × %2</translation>
    </message>
    <message>
        <source>胶带：聚酯胶带，宽 %1（= 槽宽），绕满一周以上。末层匝数少于每层匝数时均匀分布于整个槽宽。</source>
        <translation>Tape: polyester, %1 wide (= slot width), at least one full turn. A last layer of fewer turns is spread evenly across the whole width.</translation>
    </message>
    <message>
        <source>两侧挡墙胶带：各宽 %1，高度与绕组同高。</source>
        <translation>Margin tape each side: %1 wide, as high as the windings.</translation>
    </message>
    <message>
        <source>%1 为 0 匝：不绕制，也不加胶带。</source>
        <translation>%1 has 0 turns: not wound, and no tape.</translation>
    </message>
    <message>
        <source>材料清单</source>
        <translation>Materials</translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>（Ae %1）</source>
        <translation> (Ae %1)</translation>
    </message>
    <message>
        <source>骨架</source>
        <translation>Bobbin</translation>
    </message>
    <message>
        <source>（槽 %1 × %2）</source>
        <translation> (slot %1 × %2)</translation>
    </message>
    <message>
        <source>漆包线</source>
        <translation>Magnet wire</translation>
    </message>
    <message>
        <source>Ø%1 1级漆包铜线，外径 ≤ %2</source>
        <translation>Ø%1 grade 1 enamel, outer ≤ %2</translation>
    </message>
    <message>
        <source>绝缘胶带</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>聚酯胶带，厚 %1，宽 %2</source>
        <translation>polyester tape, %1 thick, %2 wide</translation>
    </message>
    <message>
        <source>挡墙胶带</source>
        <translation>Margin tape</translation>
    </message>
    <message>
        <source>宽 %1</source>
        <translation>%1 wide</translation>
    </message>
    <message>
        <source>浸渍漆</source>
        <translation>Varnish</translation>
    </message>
    <message>
        <source>绝缘浸渍漆（按客户要求）</source>
        <translation>impregnating varnish (as agreed)</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>辅助绕组电流按零计</source>
        <translation>the auxiliary winding&apos;s current is taken as zero</translation>
    </message>
    <message>
        <source>损耗与温升</source>
        <translation>Losses and temperature rise</translation>
    </message>
    <message>
        <source>磁芯损耗</source>
        <translation>Core loss</translation>
    </message>
    <message>
        <source>铜损</source>
        <translation>Copper loss</translation>
    </message>
    <message>
        <source>温升</source>
        <translation>Temp. rise</translation>
    </message>
    <message>
        <source>电气测试</source>
        <translation>Electrical tests</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>条件</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>要求</source>
        <translation>Requirement</translation>
    </message>
    <message>
        <source>初级电感 Lp</source>
        <translation>Primary inductance Lp</translation>
    </message>
    <message>
        <source>脚 %1，%2，其余绕组开路</source>
        <translation>pins %1, %2, other windings open</translation>
    </message>
    <message>
        <source>漏感</source>
        <translation>Leakage inductance</translation>
    </message>
    <message>
        <source>脚 %1，%2，次级与反馈绕组短路</source>
        <translation>pins %1, %2, secondary and auxiliary shorted</translation>
    </message>
    <message>
        <source>≤ %1（Lp 的 %2 %）</source>
        <translation>≤ %1 (%2 % of Lp)</translation>
    </message>
    <message>
        <source>直流电阻 %1</source>
        <translation>DC resistance %1</translation>
    </message>
    <message>
        <source>脚 %1，20 °C</source>
        <translation>pins %1, 20 °C</translation>
    </message>
    <message>
        <source>匝比 %1 : %2</source>
        <translation>Turns ratio %1 : %2</translation>
    </message>
    <message>
        <source>起绕端 %1 与 %2 同名（同相）</source>
        <translation>starts %1 and %2 dotted (in phase)</translation>
    </message>
    <message>
        <source>耐压 初级–次级</source>
        <translation>Hipot primary–secondary</translation>
    </message>
    <message>
        <source>无击穿、无飞弧</source>
        <translation>no breakdown, no flashover</translation>
    </message>
    <message>
        <source>耐压 初级–磁芯</source>
        <translation>Hipot primary–core</translation>
    </message>
    <message>
        <source>绝缘电阻</source>
        <translation>Insulation resistance</translation>
    </message>
    <message>
        <source>%1，初级–次级、初级–磁芯</source>
        <translation>%1, primary–secondary and primary–core</translation>
    </message>
    <message>
        <source>设计条件与工作点（参考）</source>
        <translation>Design conditions and operating point (reference)</translation>
    </message>
    <message>
        <source>PSR通用</source>
        <translation>PSR gen.</translation>
    </message>
    <message>
        <source>输入电压</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>反馈绕组电压</source>
        <translation>Aux. winding</translation>
    </message>
    <message>
        <source>效率</source>
        <translation>Efficiency</translation>
    </message>
    <message>
        <source>系统算法</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>输出模式</source>
        <translation>Output mode</translation>
    </message>
    <message>
        <source>工作频率</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>占空比 Dmax</source>
        <translation>Duty cycle Dmax</translation>
    </message>
    <message>
        <source>峰值磁通密度 Bpk</source>
        <translation>Peak flux Bpk</translation>
    </message>
    <message>
        <source>反射电压 Vor</source>
        <translation>Reflected Vor</translation>
    </message>
    <message>
        <source>初级峰值电流</source>
        <translation>Pri. peak current</translation>
    </message>
    <message>
        <source>次级峰值电流</source>
        <translation>Sec. peak current</translation>
    </message>
    <message>
        <source>第 1 页，共 1 页</source>
        <translation>Page 1 of 1</translation>
    </message>
    <message>
        <source>电气原理图</source>
        <translation>Schematic</translation>
    </message>
    <message>
        <source>截面图（按比例）</source>
        <translation>Cross-section (to scale)</translation>
    </message>
    <message>
        <source>无法估算磁芯数据：Lp 不大于零。</source>
        <translation>No core figures: Lp is not above zero.</translation>
    </message>
    <message>
        <source>无法估算磁芯数据：磁芯AE 不大于零。</source>
        <translation>No core figures: the core area Ae is not above zero.</translation>
    </message>
    <message>
        <source>无法估算磁芯数据：Np 不大于零。</source>
        <translation>No core figures: Np is not above zero.</translation>
    </message>
    <message>
        <source>绕组 %1 的一匝宽于可用槽宽，请重新分析。</source>
        <translation>One turn of %1 is wider than the usable slot width; please analyse again.</translation>
    </message>
    <message>
        <source>用法: quillmere --winding-sheet OUT.pdf [--design FILE.qmd] [--solution N] [--lang en|zh]</source>
        <translation>Usage: quillmere --winding-sheet OUT.pdf [--design FILE.qmd] [--solution N] [--lang en|zh]</translation>
    </message>
    <message>
        <source>未知的选项 %1</source>
        <translation>Unknown option %1</translation>
    </message>
    <message>
        <source>%1 缺少参数</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>--solution 需要一个正整数: %1</source>
        <translation>--solution needs a positive whole number: %1</translation>
    </message>
    <message>
        <source>--winding-sheet 缺少输出文件</source>
        <translation>--winding-sheet needs an output file</translation>
    </message>
    <message>
        <source>分析没有找到解法。</source>
        <translation>The analysis found no solution.</translation>
    </message>
</context>
</TS>
