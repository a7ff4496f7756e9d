<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Korvane V4.0</source>
        <translation>关于 Korvane V4.0</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>标志</translation>
    </message>
    <message>
        <source>Korvane PC Ver: 4.0</source>
        <translation>Korvane PC 版本：4.0</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;https://korvane.example/&quot;&gt;Korvane web site&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://korvane.example/&quot;&gt;Korvane 网站&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;https://korvane.example/download/&quot;&gt;Downloads&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://korvane.example/download/&quot;&gt;下载&lt;/a&gt;</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CArduinoCarFormView</name>
    <message>
        <source>Birch Robot Car</source>
        <translation>Birch 机器人小车</translation>
    </message>
    <message>
        <source>Korvane Birch Robot Car V2.0</source>
        <translation>Korvane Birch 机器人小车 V2.0</translation>
    </message>
    <message>
        <source>前</source>
        <translation>前</translation>
    </message>
    <message>
        <source>左</source>
        <translation>左</translation>
    </message>
    <message>
        <source>停</source>
        <translation>停</translation>
    </message>
    <message>
        <source>右</source>
        <translation>右</translation>
    </message>
    <message>
        <source>后</source>
        <translation>后</translation>
    </message>
    <message>
        <source>左旋</source>
        <translation>左旋</translation>
    </message>
    <message>
        <source>右旋</source>
        <translation>右旋</translation>
    </message>
    <message>
        <source>中</source>
        <translation>中</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>灭火</source>
        <translation>灭火</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>鸣笛</translation>
    </message>
    <message>
        <source>唱歌</source>
        <translation>唱歌</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>加速</translation>
    </message>
    <message>
        <source>超声波距离：</source>
        <translation>超声波距离：</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>超声波距离</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>标志</translation>
    </message>
</context>
<context>
    <name>CBalenceFormView</name>
    <message>
        <source>Balance Car</source>
        <translation>平衡车</translation>
    </message>
    <message>
        <source>Control area</source>
        <translation>控制区</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后</translation>
    </message>
    <message>
        <source>Left Rotating</source>
        <translation>左旋</translation>
    </message>
    <message>
        <source>Right Rotating</source>
        <translation>右旋</translation>
    </message>
    <message>
        <source>Left motor speed</source>
        <translation>左电机转速</translation>
    </message>
    <message>
        <source>Right motor speed</source>
        <translation>右电机转速</translation>
    </message>
    <message>
        <source>PID debug</source>
        <translation>PID 调试</translation>
    </message>
    <message>
        <source>Angle speed PID</source>
        <translation>角度环 PID</translation>
    </message>
    <message>
        <source>P:</source>
        <translation>P:</translation>
    </message>
    <message>
        <source>Angle P gain</source>
        <translation>角度环 P 增益</translation>
    </message>
    <message>
        <source>D:</source>
        <translation>D:</translation>
    </message>
    <message>
        <source>Angle D gain</source>
        <translation>角度环 D 增益</translation>
    </message>
    <message>
        <source>Speed loop PID</source>
        <translation>速度环 PID</translation>
    </message>
    <message>
        <source>Speed P gain</source>
        <translation>速度环 P 增益</translation>
    </message>
    <message>
        <source>I:</source>
        <translation>I:</translation>
    </message>
    <message>
        <source>Speed I gain</source>
        <translation>速度环 I 增益</translation>
    </message>
    <message>
        <source>Query PID</source>
        <translation>查询 PID</translation>
    </message>
    <message>
        <source>Update angle PID</source>
        <translation>更新角度环 PID</translation>
    </message>
    <message>
        <source>Drag updates</source>
        <translation>拖动即更新</translation>
    </message>
    <message>
        <source>Update speed PID</source>
        <translation>更新速度环 PID</translation>
    </message>
    <message>
        <source>Default recovery</source>
        <translation>恢复默认</translation>
    </message>
    <message>
        <source>Numerical display</source>
        <translation>数值显示</translation>
    </message>
    <message>
        <source>Ultrasonic distance（cm）</source>
        <translation>超声波距离（cm）</translation>
    </message>
    <message>
        <source>Battery voltage（v）</source>
        <translation>电池电压（V）</translation>
    </message>
    <message>
        <source>Gyroscope（°）</source>
        <translation>陀螺仪（°）</translation>
    </message>
    <message>
        <source>Acceleration（g）</source>
        <translation>加速度（g）</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>加速度</translation>
    </message>
    <message>
        <source>Gyroscope</source>
        <translation>陀螺仪</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>电池电压</translation>
    </message>
    <message>
        <source>Display open</source>
        <translation>打开显示</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>标志</translation>
    </message>
</context>
<context>
    <name>CClassroomView</name>
    <message>
        <source>Classroom</source>
        <translation>课堂</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>筛选：</translation>
    </message>
    <message>
        <source>Stations</source>
        <translation>工作站</translation>
    </message>
    <message>
        <source>Broker connection</source>
        <translation>代理服务器连接</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>配置通信参数</source>
        <translation>配置通信参数</translation>
    </message>
    <message>
        <source>serial port/Bluetooth Choice</source>
        <translation>串口/蓝牙选择</translation>
    </message>
    <message>
        <source>Serial configuration</source>
        <translation>串口配置</translation>
    </message>
    <message>
        <source>Serial number：</source>
        <translation>串口号：</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Baud rate：</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CDevelop51FormView</name>
    <message>
        <source>Alder Development Board</source>
        <translation>Alder 开发板</translation>
    </message>
    <message>
        <source>（1）LED控制部分</source>
        <translation>（1）LED控制部分</translation>
    </message>
    <message>
        <source>流水灯</source>
        <translation>流水灯</translation>
    </message>
    <message>
        <source>呼吸灯</source>
        <translation>呼吸灯</translation>
    </message>
    <message>
        <source>P1.0</source>
        <translation>P1.0</translation>
    </message>
    <message>
        <source>P1.1</source>
        <translation>P1.1</translation>
    </message>
    <message>
        <source>P1.2</source>
        <translation>P1.2</translation>
    </message>
    <message>
        <source>P1.3</source>
        <translation>P1.3</translation>
    </message>
    <message>
        <source>P1.4</source>
        <translation>P1.4</translation>
    </message>
    <message>
        <source>P1.5</source>
        <translation>P1.5</translation>
    </message>
    <message>
        <source>P1.6</source>
        <translation>P1.6</translation>
    </message>
    <message>
        <source>P1.7</source>
        <translation>P1.7</translation>
    </message>
    <message>
        <source>（2）步进电机</source>
        <translation>（2）步进电机</translation>
    </message>
    <message>
        <source>IN1</source>
        <translation>IN1</translation>
    </message>
    <message>
        <source>IN2</source>
        <translation>IN2</translation>
    </message>
    <message>
        <source>IN3</source>
        <translation>IN3</translation>
    </message>
    <message>
        <source>IN4</source>
        <translation>IN4</translation>
    </message>
    <message>
        <source>顺转</source>
        <translation>顺转</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>逆转</source>
        <translation>逆转</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>加速</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>（3）AD</source>
        <translation>（3）AD</translation>
    </message>
    <message>
        <source>光敏传感器(J8_A0)</source>
        <translation>光敏传感器(J8_A0)</translation>
    </message>
    <message>
        <source>热敏传感器(J8_A0)</source>
        <translation>热敏传感器(J8_A0)</translation>
    </message>
    <message>
        <source>电压测量(J8_A0)</source>
        <translation>电压测量(J8_A0)</translation>
    </message>
    <message>
        <source>SW1(A3)</source>
        <translation>SW1(A3)</translation>
    </message>
    <message>
        <source>SW2(A2)</source>
        <translation>SW2(A2)</translation>
    </message>
    <message>
        <source>SCL P2.1
SDA P2.0</source>
        <translation>SCL P2.1
SDA P2.0</translation>
    </message>
    <message>
        <source>原始AD采样数据</source>
        <translation>原始AD采样数据</translation>
    </message>
    <message>
        <source>转化后数据显示</source>
        <translation>转化后数据显示</translation>
    </message>
    <message>
        <source>（4）其他传感器</source>
        <translation>（4）其他传感器</translation>
    </message>
    <message>
        <source>超声波</source>
        <translation>超声波</translation>
    </message>
    <message>
        <source>Echo P2.0  Trig P2.1</source>
        <translation>Echo P2.0  Trig P2.1</translation>
    </message>
    <message>
        <source>DS18B20温度</source>
        <translation>DS18B20温度</translation>
    </message>
    <message>
        <source>Data:P2.2</source>
        <translation>Data:P2.2</translation>
    </message>
    <message>
        <source>人体红外</source>
        <translation>人体红外</translation>
    </message>
    <message>
        <source>声音传感器</source>
        <translation>声音传感器</translation>
    </message>
    <message>
        <source>蜂鸣器（P2.3）</source>
        <translation>蜂鸣器（P2.3）</translation>
    </message>
    <message>
        <source>（5）实时时钟</source>
        <translation>（5）实时时钟</translation>
    </message>
    <message>
        <source>数码管设置显示</source>
        <translation>数码管设置显示</translation>
    </message>
    <message>
        <source>1602设置显示</source>
        <translation>1602设置显示</translation>
    </message>
    <message>
        <source>12864设置显示</source>
        <translation>12864设置显示</translation>
    </message>
    <message>
        <source>（6）红外发射接收</source>
        <translation>（6）红外发射接收</translation>
    </message>
    <message>
        <source>发送：</source>
        <translation>发送：</translation>
    </message>
    <message>
        <source>用户码1</source>
        <translation>用户码1</translation>
    </message>
    <message>
        <source>用户码2</source>
        <translation>用户码2</translation>
    </message>
    <message>
        <source>操作码1</source>
        <translation>操作码1</translation>
    </message>
    <message>
        <source>操作码2</source>
        <translation>操作码2</translation>
    </message>
    <message>
        <source>发送红外码</source>
        <translation>发送红外码</translation>
    </message>
    <message>
        <source>接收：</source>
        <translation>接收：</translation>
    </message>
    <message>
        <source>内部码：</source>
        <translation>内部码：</translation>
    </message>
    <message>
        <source>转义码：</source>
        <translation>转义码：</translation>
    </message>
    <message>
        <source>（7）数码管控制显示</source>
        <translation>（7）数码管控制显示</translation>
    </message>
    <message>
        <source>4位显示</source>
        <translation>4位显示</translation>
    </message>
    <message>
        <source>8位显示</source>
        <translation>8位显示</translation>
    </message>
    <message>
        <source>数码管显示:</source>
        <translation>数码管显示:</translation>
    </message>
    <message>
        <source>数码管显示输出</source>
        <translation>数码管显示输出</translation>
    </message>
    <message>
        <source>（8）液晶控制显示</source>
        <translation>（8）液晶控制显示</translation>
    </message>
    <message>
        <source>1602显示</source>
        <translation>1602显示</translation>
    </message>
    <message>
        <source>1602清屏</source>
        <translation>1602清屏</translation>
    </message>
    <message>
        <source>12864显示</source>
        <translation>12864显示</translation>
    </message>
    <message>
        <source>12864清屏</source>
        <translation>12864清屏</translation>
    </message>
    <message>
        <source>（9）矩阵按键计算器</source>
        <translation>（9）矩阵按键计算器</translation>
    </message>
    <message>
        <source>公式：</source>
        <translation>公式：</translation>
    </message>
    <message>
        <source>结果：</source>
        <translation>结果：</translation>
    </message>
    <message>
        <source>蓝牙串口调试助手</source>
        <translation>蓝牙串口调试助手</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>（10）风扇控制区</source>
        <translation>（10）风扇控制区</translation>
    </message>
    <message>
        <source>启动</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>（11）点阵控制区</source>
        <translation>（11）点阵控制区</translation>
    </message>
    <message>
        <source>点阵</source>
        <translation>点阵</translation>
    </message>
</context>
<context>
    <name>CDevelopARFormView</name>
    <message>
        <source>Birch Basic Kit</source>
        <translation>Birch 基础套件</translation>
    </message>
    <message>
        <source>（1）LED控制部分</source>
        <translation>（1）LED控制部分</translation>
    </message>
    <message>
        <source>流水灯</source>
        <translation>流水灯</translation>
    </message>
    <message>
        <source>呼吸灯</source>
        <translation>呼吸灯</translation>
    </message>
    <message>
        <source>三
色
灯</source>
        <translation>三
色
灯</translation>
    </message>
    <message>
        <source>P3/R(红)</source>
        <translation>P3/R(红)</translation>
    </message>
    <message>
        <source>P4/G(绿)</source>
        <translation>P4/G(绿)</translation>
    </message>
    <message>
        <source>P5/B(蓝)</source>
        <translation>P5/B(蓝)</translation>
    </message>
    <message>
        <source>P6</source>
        <translation>P6</translation>
    </message>
    <message>
        <source>（2）数码管控制显示</source>
        <translation>（2）数码管控制显示</translation>
    </message>
    <message>
        <source>1位显示</source>
        <translation>1位显示</translation>
    </message>
    <message>
        <source>4位显示</source>
        <translation>4位显示</translation>
    </message>
    <message>
        <source>数码管显示:</source>
        <translation>数码管显示:</translation>
    </message>
    <message>
        <source>数码管显示输出</source>
        <translation>数码管显示输出</translation>
    </message>
    <message>
        <source>（3）按键、触摸开关、倾斜开关</source>
        <translation>（3）按键、触摸开关、倾斜开关</translation>
    </message>
    <message>
        <source>按钮1</source>
        <translation>按钮1</translation>
    </message>
    <message>
        <source>按钮2</source>
        <translation>按钮2</translation>
    </message>
    <message>
        <source>按钮3</source>
        <translation>按钮3</translation>
    </message>
    <message>
        <source>按钮4</source>
        <translation>按钮4</translation>
    </message>
    <message>
        <source>触摸开关</source>
        <translation>触摸开关</translation>
    </message>
    <message>
        <source>倾斜开关</source>
        <translation>倾斜开关</translation>
    </message>
    <message>
        <source>触摸AD值：</source>
        <translation>触摸AD值：</translation>
    </message>
    <message>
        <source>（4）步进电机、风扇、舵机</source>
        <translation>（4）步进电机、风扇、舵机</translation>
    </message>
    <message>
        <source>IN1</source>
        <translation>IN1</translation>
    </message>
    <message>
        <source>IN2</source>
        <translation>IN2</translation>
    </message>
    <message>
        <source>IN3</source>
        <translation>IN3</translation>
    </message>
    <message>
        <source>IN4</source>
        <translation>IN4</translation>
    </message>
    <message>
        <source>顺转</source>
        <translation>顺转</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>逆转</source>
        <translation>逆转</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>加速</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>启动</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>舵机左摇</source>
        <translation>舵机左摇</translation>
    </message>
    <message>
        <source>舵机复位</source>
        <translation>舵机复位</translation>
    </message>
    <message>
        <source>舵机右摇</source>
        <translation>舵机右摇</translation>
    </message>
    <message>
        <source>舵机度数：</source>
        <translation>舵机度数：</translation>
    </message>
    <message>
        <source>（5）红外遥控接收</source>
        <translation>（5）红外遥控接收</translation>
    </message>
    <message>
        <source>内部码：</source>
        <translation>内部码：</translation>
    </message>
    <message>
        <source>转义码：</source>
        <translation>转义码：</translation>
    </message>
    <message>
        <source>（6）点阵控制区</source>
        <translation>（6）点阵控制区</translation>
    </message>
    <message>
        <source>点阵</source>
        <translation>点阵</translation>
    </message>
    <message>
        <source>（7）液晶控制显示</source>
        <translation>（7）液晶控制显示</translation>
    </message>
    <message>
        <source>1602显示</source>
        <translation>1602显示</translation>
    </message>
    <message>
        <source>1602清屏</source>
        <translation>1602清屏</translation>
    </message>
    <message>
        <source>（8）其他传感器</source>
        <translation>（8）其他传感器</translation>
    </message>
    <message>
        <source>超声波</source>
        <translation>超声波</translation>
    </message>
    <message>
        <source>Echo A5  Trig A4</source>
        <translation>Echo A5  Trig A4</translation>
    </message>
    <message>
        <source>DS18B20温度</source>
        <translation>DS18B20温度</translation>
    </message>
    <message>
        <source>Data:P8</source>
        <translation>Data:P8</translation>
    </message>
    <message>
        <source>DHT11温湿度</source>
        <translation>DHT11温湿度</translation>
    </message>
    <message>
        <source>人体红外</source>
        <translation>人体红外</translation>
    </message>
    <message>
        <source>Data:A3</source>
        <translation>Data:A3</translation>
    </message>
    <message>
        <source>声音传感器</source>
        <translation>声音传感器</translation>
    </message>
    <message>
        <source>Data:P11</source>
        <translation>Data:P11</translation>
    </message>
    <message>
        <source>蜂鸣器（P2）</source>
        <translation>蜂鸣器（P2）</translation>
    </message>
    <message>
        <source>（9）AD</source>
        <translation>（9）AD</translation>
    </message>
    <message>
        <source>光敏传感器(A0)</source>
        <translation>光敏传感器(A0)</translation>
    </message>
    <message>
        <source>热敏传感器(A0)</source>
        <translation>热敏传感器(A0)</translation>
    </message>
    <message>
        <source>电压测量(A0)</source>
        <translation>电压测量(A0)</translation>
    </message>
    <message>
        <source>烟雾传感器(A0)</source>
        <translation>烟雾传感器(A0)</translation>
    </message>
    <message>
        <source>原始AD采样数据</source>
        <translation>原始AD采样数据</translation>
    </message>
    <message>
        <source>转化后数据显示</source>
        <translation>转化后数据显示</translation>
    </message>
    <message>
        <source>蓝牙串口调试助手</source>
        <translation>蓝牙串口调试助手</translation>
    </message>
    <message>
        <source>发送：</source>
        <translation>发送：</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>接收：</source>
        <translation>接收：</translation>
    </message>
    <message>
        <source>(10) 遥杆</source>
        <translation>(10) 遥杆</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Z:</source>
        <translation>Z:</translation>
    </message>
</context>
<context>
    <name>CDlgGridCtrl</name>
    <message>
        <source>点阵</source>
        <translation>点阵</translation>
    </message>
    <message>
        <source>全亮</source>
        <translation>全亮</translation>
    </message>
    <message>
        <source>清屏</source>
        <translation>清屏</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CDlgManipulator</name>
    <message>
        <source>Manipulator advanced control interface</source>
        <translation>机械臂高级控制界面</translation>
    </message>
    <message>
        <source>Drag the real-time control switch</source>
        <translation>拖动实时控制开关</translation>
    </message>
    <message>
        <source>Record and save robot step list</source>
        <translation>记录并保存机器人步骤列表</translation>
    </message>
    <message>
        <source>Open list...</source>
        <translation>打开列表...</translation>
    </message>
    <message>
        <source>Save list as...</source>
        <translation>列表另存为...</translation>
    </message>
    <message>
        <source> Delay time between steps:</source>
        <translation> 步骤间延时：</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>Emergency stop</source>
        <translation>急停</translation>
    </message>
</context>
<context>
    <name>CKorvaneView</name>
    <message>
        <source>Alder Robot Car</source>
        <translation>Alder 机器人小车</translation>
    </message>
    <message>
        <source>Korvane Alder Robot Car V2.0</source>
        <translation>Korvane Alder 机器人小车 V2.0</translation>
    </message>
    <message>
        <source>前</source>
        <translation>前</translation>
    </message>
    <message>
        <source>左</source>
        <translation>左</translation>
    </message>
    <message>
        <source>停</source>
        <translation>停</translation>
    </message>
    <message>
        <source>右</source>
        <translation>右</translation>
    </message>
    <message>
        <source>后</source>
        <translation>后</translation>
    </message>
    <message>
        <source>左旋</source>
        <translation>左旋</translation>
    </message>
    <message>
        <source>右旋</source>
        <translation>右旋</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>鸣笛</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>灭火</source>
        <translation>灭火</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>加速</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>超声波距离：</source>
        <translation>超声波距离：</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>超声波距离</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>标志</translation>
    </message>
</context>
<context>
    <name>CMqttDlg</name>
    <message>
        <source>Share over MQTT</source>
        <translation>通过 MQTT 共享</translation>
    </message>
    <message>
        <source>Share this station on a broker</source>
        <translation>在代理服务器上共享本工作站</translation>
    </message>
    <message>
        <source>Broker:</source>
        <translation>代理服务器：</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>用户名：</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>密码：</translation>
    </message>
    <message>
        <source>CA file (mqtts):</source>
        <translation>CA 证书文件（mqtts）：</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>选择...</translation>
    </message>
    <message>
        <source>Station name:</source>
        <translation>工作站名称：</translation>
    </message>
    <message>
        <source>Topic prefix:</source>
        <translation>主题前缀：</translation>
    </message>
    <message>
        <source>Allow remote control</source>
        <translation>允许远程控制</translation>
    </message>
</context>
<context>
    <name>CPendrixFormView</name>
    <message>
        <source>Pendrix Robot Car</source>
        <translation>Pendrix 机器人小车</translation>
    </message>
    <message>
        <source>视频监控(树莓派)</source>
        <translation>视频监控(树莓派)</translation>
    </message>
    <message>
        <source>左摇</source>
        <translation>左摇</translation>
    </message>
    <message>
        <source>右摇</source>
        <translation>右摇</translation>
    </message>
    <message>
        <source>树莓派配置</source>
        <translation>树莓派配置</translation>
    </message>
    <message>
        <source>树莓派视频地址：</source>
        <translation>树莓派视频地址：</translation>
    </message>
    <message>
        <source>连接视频</source>
        <translation>连接视频</translation>
    </message>
    <message>
        <source>树莓派控制服务：</source>
        <translation>树莓派控制服务：</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>连接控制</source>
        <translation>连接控制</translation>
    </message>
    <message>
        <source>机器人控制区</source>
        <translation>机器人控制区</translation>
    </message>
    <message>
        <source>前</source>
        <translation>前</translation>
    </message>
    <message>
        <source>左</source>
        <translation>左</translation>
    </message>
    <message>
        <source>停</source>
        <translation>停</translation>
    </message>
    <message>
        <source>右</source>
        <translation>右</translation>
    </message>
    <message>
        <source>后</source>
        <translation>后</translation>
    </message>
    <message>
        <source>左漂移</source>
        <translation>左漂移</translation>
    </message>
    <message>
        <source>停漂</source>
        <translation>停漂</translation>
    </message>
    <message>
        <source>右漂移</source>
        <translation>右漂移</translation>
    </message>
    <message>
        <source>车头校准</source>
        <translation>车头校准</translation>
    </message>
    <message>
        <source>中</source>
        <translation>中</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>鸣笛</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>加速</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>七彩探照灯</source>
        <translation>七彩探照灯</translation>
    </message>
    <message>
        <source>R（红色0~255）</source>
        <translation>R（红色0~255）</translation>
    </message>
    <message>
        <source>G（绿色0~255）</source>
        <translation>G（绿色0~255）</translation>
    </message>
    <message>
        <source>B（蓝色0~255）</source>
        <translation>B（蓝色0~255）</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>红色</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>传感器数据显示</source>
        <translation>传感器数据显示</translation>
    </message>
    <message>
        <source>电池电量:</source>
        <translation>电池电量:</translation>
    </message>
    <message>
        <source>巡线传感器:</source>
        <translation>巡线传感器:</translation>
    </message>
    <message>
        <source>超声波:</source>
        <translation>超声波:</translation>
    </message>
</context>
<context>
    <name>CProductSelectDlg</name>
    <message>
        <source>Please select the product type first:</source>
        <translation>请先选择产品类型：</translation>
    </message>
    <message>
        <source>Development Board</source>
        <translation>开发板</translation>
    </message>
    <message>
        <source>Development Kit</source>
        <translation>开发套件</translation>
    </message>
    <message>
        <source>Smart Robot Car</source>
        <translation>智能机器人小车</translation>
    </message>
    <message>
        <source>Balance Car</source>
        <translation>平衡车</translation>
    </message>
    <message>
        <source>Tavo 4WD Car</source>
        <translation>Tavo 四驱车</translation>
    </message>
    <message>
        <source>Pendrix Robot Car</source>
        <translation>Pendrix 机器人小车</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CStationSettings</name>
    <message>
        <source>it cannot be read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>it is damaged</source>
        <translation>文件已损坏</translation>
    </message>
    <message>
        <source>The settings file %1 was not used: %2. Korvane PC starts with its defaults; the old file is kept as %3.</source>
        <translation>未使用设置文件 %1：%2。Korvane PC 以默认设置启动；旧文件保留为 %3。</translation>
    </message>
    <message>
        <source>The settings file %1 was not used: %2. Korvane PC starts with its defaults and cannot remember settings until the file is removed.</source>
        <translation>未使用设置文件 %1：%2。Korvane PC 以默认设置启动，在删除该文件之前无法保存设置。</translation>
    </message>
</context>
<context>
    <name>CTavo4WDCarFormView</name>
    <message>
        <source>Tavo 4WD Car</source>
        <translation>Tavo 四驱车</translation>
    </message>
    <message>
        <source>Video monitoring (Raspberry Pi)</source>
        <translation>视频监控（树莓派）</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Raspberry Pi Configuration</source>
        <translation>树莓派配置</translation>
    </message>
    <message>
        <source>Raspberry Pi video address：</source>
        <translation>树莓派视频地址：</translation>
    </message>
    <message>
        <source>Connect video</source>
        <translation>连接视频</translation>
    </message>
    <message>
        <source>Raspberry Pi Control Service：</source>
        <translation>树莓派控制服务：</translation>
    </message>
    <message>
        <source>Port：</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Connect control</source>
        <translation>连接控制</translation>
    </message>
    <message>
        <source>Robot control area</source>
        <translation>机器人控制区</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>后</translation>
    </message>
    <message>
        <source>Left Rotating</source>
        <translation>左旋</translation>
    </message>
    <message>
        <source>Right Rotating</source>
        <translation>右旋</translation>
    </message>
    <message>
        <source>Servo pan/tilt control</source>
        <translation>舵机云台控制</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>中</translation>
    </message>
    <message>
        <source>Outfire</source>
        <translation>灭火</translation>
    </message>
    <message>
        <source>Whistle</source>
        <translation>鸣笛</translation>
    </message>
    <message>
        <source>Accelerate</source>
        <translation>加速</translation>
    </message>
    <message>
        <source>Reduce</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>Mechanical arm 
advanced control</source>
        <translation>机械臂
高级控制</translation>
    </message>
    <message>
        <source>RGB searchlight</source>
        <translation>七彩探照灯</translation>
    </message>
    <message>
        <source>R（Red 0~255）</source>
        <translation>R（红色0~255）</translation>
    </message>
    <message>
        <source>G（Green 0~255）</source>
        <translation>G（绿色0~255）</translation>
    </message>
    <message>
        <source>B（Blue 0~255）</source>
        <translation>B（蓝色0~255）</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Sensor data display</source>
        <translation>传感器数据显示</translation>
    </message>
    <message>
        <source>Battery power:</source>
        <translation>电池电量:</translation>
    </message>
    <message>
        <source>Tracking sensor:</source>
        <translation>巡线传感器:</translation>
    </message>
    <message>
        <source>Infrared obstacle avoidance sensor:</source>
        <translation>红外避障传感器:</translation>
    </message>
    <message>
        <source>Light seek sensor:</source>
        <translation>寻光传感器:</translation>
    </message>
    <message>
        <source>Color sensor:</source>
        <translation>颜色传感器:</translation>
    </message>
    <message>
        <source>Ultrasonic sensor:</source>
        <translation>超声波传感器:</translation>
    </message>
    <message>
        <source>Mechanical arm basic control</source>
        <translation>机械臂基本控制</translation>
    </message>
    <message>
        <source>J1</source>
        <translation>J1</translation>
    </message>
    <message>
        <source>J2</source>
        <translation>J2</translation>
    </message>
    <message>
        <source>J3</source>
        <translation>J3</translation>
    </message>
    <message>
        <source>J4</source>
        <translation>J4</translation>
    </message>
    <message>
        <source>J5</source>
        <translation>J5</translation>
    </message>
    <message>
        <source>J6</source>
        <translation>J6</translation>
    </message>
    <message>
        <source>Right</source>
        <comment>camera down</comment>
        <translation>下</translation>
    </message>
</context>
<context>
    <name>CVantrelCarFormView</name>
    <message>
        <source>Vantrel Robot Car</source>
        <translation>Vantrel 机器人小车</translation>
    </message>
    <message>
        <source>Korvane Vantrel Robot Car V2.0</source>
        <translation>Korvane Vantrel 机器人小车 V2.0</translation>
    </message>
    <message>
        <source>前</source>
        <translation>前</translation>
    </message>
    <message>
        <source>左</source>
        <translation>左</translation>
    </message>
    <message>
        <source>停</source>
        <translation>停</translation>
    </message>
    <message>
        <source>右</source>
        <translation>右</translation>
    </message>
    <message>
        <source>后</source>
        <translation>后</translation>
    </message>
    <message>
        <source>左旋</source>
        <translation>左旋</translation>
    </message>
    <message>
        <source>右旋</source>
        <translation>右旋</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>鸣笛</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>减速</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>加速</translation>
    </message>
    <message>
        <source>超声波距离：</source>
        <translation>超声波距离：</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>超声波距离</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>标志</translation>
    </message>
</context>
<context>
    <name>Korvane</name>
    <message numerus="yes">
        <source>Repeated %n more time(s).</source>
        <translation>
            <numerusform>又重复了 %n 次。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Korvane::BoardFrames</name>
    <message>
        <source>请输入0-23之间正确的小时！</source>
        <translation>请输入0-23之间正确的小时！</translation>
    </message>
    <message>
        <source>请输入0-59之间正确的分钟！</source>
        <translation>请输入0-59之间正确的分钟！</translation>
    </message>
    <message>
        <source>请输入0-59之间正确的秒！</source>
        <translation>请输入0-59之间正确的秒！</translation>
    </message>
    <message>
        <source>输入必须为1位数值或小数点！</source>
        <translation>输入必须为1位数值或小数点！</translation>
    </message>
    <message>
        <source>输入必须为8位数值！</source>
        <translation>输入必须为8位数值！</translation>
    </message>
    <message>
        <source>输入必须为4位数值！</source>
        <translation>输入必须为4位数值！</translation>
    </message>
    <message>
        <source>除数不能为0</source>
        <translation>除数不能为0</translation>
    </message>
    <message>
        <source>结果超出范围！</source>
        <translation>结果超出范围！</translation>
    </message>
</context>
<context>
    <name>Korvane::BrokerUrl</name>
    <message>
        <source>no broker address</source>
        <translation>没有代理服务器地址</translation>
    </message>
    <message>
        <source>the address must begin with mqtt:// or mqtts://</source>
        <translation>地址必须以 mqtt:// 或 mqtts:// 开头</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a broker address</source>
        <translation>“%1”不是代理服务器地址</translation>
    </message>
    <message>
        <source>a broker address has no path</source>
        <translation>代理服务器地址不能带路径</translation>
    </message>
    <message>
        <source>the port must be from 1 to 65535</source>
        <translation>端口必须在 1 到 65535 之间</translation>
    </message>
</context>
<context>
    <name>Korvane::CArduinoCarFormView</name>
    <message>
        <source>Drive: turn left</source>
        <translation>行驶：左转</translation>
    </message>
    <message>
        <source>Drive: turn right</source>
        <translation>行驶：右转</translation>
    </message>
    <message>
        <source>Second row: left</source>
        <translation>第二排：左</translation>
    </message>
    <message>
        <source>Second row: right</source>
        <translation>第二排：右</translation>
    </message>
</context>
<context>
    <name>Korvane::CBalanceWaveformPane</name>
    <message>
        <source>The recording stopped: %1</source>
        <translation>记录已停止：%1</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Hold the picture; frames are still read and recorded</source>
        <translation>冻结画面；数据帧仍会读取和记录</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Show the whole history again after zooming with the wheel</source>
        <translation>滚轮缩放后重新显示全部历史</translation>
    </message>
    <message>
        <source>Save picture...</source>
        <translation>保存图片...</translation>
    </message>
    <message>
        <source>Save the waveform as a PNG picture</source>
        <translation>将波形保存为 PNG 图片</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>记录...</translation>
    </message>
    <message>
        <source>Record every telemetry frame to a CSV file</source>
        <translation>把每个遥测帧记录到 CSV 文件</translation>
    </message>
    <message>
        <source>History:</source>
        <translation>历史：</translation>
    </message>
    <message>
        <source>%1 samples</source>
        <translation>%1 个采样</translation>
    </message>
    <message>
        <source>Values under the pointer</source>
        <translation>指针处的数值</translation>
    </message>
    <message>
        <source>#%1  gyroscope %2  acceleration %3  voltage %4</source>
        <translation>#%1  陀螺仪 %2  加速度 %3  电压 %4</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>保存图片</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>PNG 图片 (*.png);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The picture could not be saved to %1</source>
        <translation>无法把图片保存到 %1</translation>
    </message>
    <message>
        <source>Record telemetry</source>
        <translation>记录遥测数据</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The recording could not be written to %1: %2</source>
        <translation>无法写入记录文件 %1：%2</translation>
    </message>
    <message>
        <source>Recording %1: %2 rows</source>
        <translation>正在记录 %1：%2 行</translation>
    </message>
</context>
<context>
    <name>Korvane::CBalenceFormView</name>
    <message>
        <source>Angle loop, proportional gain</source>
        <translation>角度环比例增益</translation>
    </message>
    <message>
        <source>Angle loop, derivative gain</source>
        <translation>角度环微分增益</translation>
    </message>
    <message>
        <source>Speed loop, proportional gain</source>
        <translation>速度环比例增益</translation>
    </message>
    <message>
        <source>Speed loop, integral gain</source>
        <translation>速度环积分增益</translation>
    </message>
    <message>
        <source>%1: up by 0.01</source>
        <translation>%1：增加 0.01</translation>
    </message>
    <message>
        <source>%1: down by 0.01</source>
        <translation>%1：减少 0.01</translation>
    </message>
    <message>
        <source>It&apos;s up to the Max!</source>
        <translation>已达到最大值！</translation>
    </message>
    <message>
        <source>It&apos;s minimized!</source>
        <translation>已达到最小值！</translation>
    </message>
    <message>
        <source>Current mode updates PID for drag slider!</source>
        <translation>当前模式：拖动滑块即更新 PID！</translation>
    </message>
    <message>
        <source>The current mode is manual button update PID!</source>
        <translation>当前模式：按按钮手动更新 PID！</translation>
    </message>
    <message>
        <source>Receive PID timeout, please check the communication connection, or retry to get!</source>
        <translation>接收 PID 超时，请检查通信连接或重新获取！</translation>
    </message>
</context>
<context>
    <name>Korvane::CBoardPanel</name>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Stepper motor: turn forward</source>
        <translation>步进电机：顺转</translation>
    </message>
    <message>
        <source>Stepper motor: stop</source>
        <translation>步进电机：停止</translation>
    </message>
    <message>
        <source>Stepper motor: turn backward</source>
        <translation>步进电机：逆转</translation>
    </message>
    <message>
        <source>Stepper motor: faster</source>
        <translation>步进电机：加速</translation>
    </message>
    <message>
        <source>Stepper motor: slower</source>
        <translation>步进电机：减速</translation>
    </message>
    <message>
        <source>Fan: faster</source>
        <translation>风扇：加速</translation>
    </message>
    <message>
        <source>Fan: slower</source>
        <translation>风扇：减速</translation>
    </message>
    <message>
        <source>Fan: start</source>
        <translation>风扇：启动</translation>
    </message>
    <message>
        <source>Fan: stop</source>
        <translation>风扇：停止</translation>
    </message>
    <message>
        <source>LCD1602 line %1</source>
        <translation>LCD1602 第 %1 行</translation>
    </message>
    <message>
        <source>1602: line 2</source>
        <translation>1602：第 2 行</translation>
    </message>
    <message>
        <source>Segment text</source>
        <translation>数码管文字</translation>
    </message>
    <message>
        <source>数码管显示:</source>
        <translation>数码管显示:</translation>
    </message>
    <message>
        <source>P3 red</source>
        <translation>P3 红</translation>
    </message>
    <message>
        <source>P4 green</source>
        <translation>P4 绿</translation>
    </message>
    <message>
        <source>P5 blue</source>
        <translation>P5 蓝</translation>
    </message>
</context>
<context>
    <name>Korvane::CClassroomModel</name>
    <message>
        <source>offline since %1</source>
        <translation>自 %1 起离线</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>%1 cm</source>
        <translation>%1 cm</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>工作站</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>产品</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Last frame</source>
        <translation>上一帧</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
</context>
<context>
    <name>Korvane::CClassroomView</name>
    <message>
        <source>Frames of %1</source>
        <translation>%1 的数据帧</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Broker %1, stations under &quot;%2&quot;: %3</source>
        <translation>代理服务器 %1，工作站位于“%2”之下：%3</translation>
    </message>
</context>
<context>
    <name>Korvane::CColorStatu</name>
    <message>
        <source>通信断开</source>
        <translation>通信断开</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Link state</source>
        <translation>连接状态</translation>
    </message>
    <message>
        <source>%1 received frames were dropped: the device sent faster than the station could show them.</source>
        <translation>丢弃了 %1 个接收帧：设备发送的速度超过了显示速度。</translation>
    </message>
    <message>
        <source>MQTT sharing</source>
        <translation>MQTT 共享</translation>
    </message>
</context>
<context>
    <name>Korvane::CConfigDlg</name>
    <message>
        <source>The serial port does not exist or is occupied！</source>
        <translation>串口不存在或被占用！</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Please select a valid serial number first!</source>
        <translation>请先选择有效的串口号！</translation>
    </message>
    <message>
        <source>Please select the effective baud rate first!</source>
        <translation>请先选择有效的波特率！</translation>
    </message>
    <message>
        <source>Open serial port successfully！</source>
        <translation>打开串口成功！</translation>
    </message>
</context>
<context>
    <name>Korvane::CDevelop51FormView</name>
    <message>
        <source>Motion sensor</source>
        <translation>人体红外传感器</translation>
    </message>
    <message>
        <source>Sound sensor</source>
        <translation>声音传感器</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>超声波距离</translation>
    </message>
    <message>
        <source>DS18B20 temperature</source>
        <translation>DS18B20 温度</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>当前时间</translation>
    </message>
    <message>
        <source>LCD12864 line %1</source>
        <translation>LCD12864 第 %1 行</translation>
    </message>
    <message>
        <source>12864: line %1</source>
        <translation>12864：第 %1 行</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>时</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>分</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Keypad key (shows the key pressed on the board)</source>
        <translation>键盘按键（显示开发板上按下的键）</translation>
    </message>
    <message>
        <source>现在时间是%1年%2月%3日 %4:%5:%6</source>
        <translation>现在时间是%1年%2月%3日 %4:%5:%6</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>请输入整数。</translation>
    </message>
</context>
<context>
    <name>Korvane::CDevelopARFormView</name>
    <message>
        <source>Button %1</source>
        <translation>按钮%1</translation>
    </message>
    <message>
        <source>Touch switch</source>
        <translation>触摸开关</translation>
    </message>
    <message>
        <source>Tilt switch</source>
        <translation>倾斜开关</translation>
    </message>
    <message>
        <source>Motion sensor</source>
        <translation>人体红外传感器</translation>
    </message>
    <message>
        <source>Sound sensor</source>
        <translation>声音传感器</translation>
    </message>
    <message>
        <source>Joystick up</source>
        <translation>摇杆向上</translation>
    </message>
    <message>
        <source>Joystick down</source>
        <translation>摇杆向下</translation>
    </message>
    <message>
        <source>Joystick left</source>
        <translation>摇杆向左</translation>
    </message>
    <message>
        <source>Joystick right</source>
        <translation>摇杆向右</translation>
    </message>
    <message>
        <source>Joystick upper left</source>
        <translation>摇杆左上</translation>
    </message>
    <message>
        <source>Joystick upper right</source>
        <translation>摇杆右上</translation>
    </message>
    <message>
        <source>Joystick lower left</source>
        <translation>摇杆左下</translation>
    </message>
    <message>
        <source>Joystick lower right</source>
        <translation>摇杆右下</translation>
    </message>
    <message>
        <source>Joystick centre</source>
        <translation>摇杆居中</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>超声波距离</translation>
    </message>
    <message>
        <source>DS18B20 temperature</source>
        <translation>DS18B20 温度</translation>
    </message>
    <message>
        <source>DHT11 air temperature</source>
        <translation>DHT11 气温</translation>
    </message>
    <message>
        <source>DHT11 humidity</source>
        <translation>DHT11 湿度</translation>
    </message>
    <message>
        <source>Servo angle</source>
        <translation>舵机角度</translation>
    </message>
</context>
<context>
    <name>Korvane::CDigiStatic</name>
    <message>
        <source>Segment display</source>
        <translation>数码管</translation>
    </message>
</context>
<context>
    <name>Korvane::CDlgGridCtrl</name>
    <message>
        <source>Switch every dot on</source>
        <translation>点亮所有点</translation>
    </message>
    <message>
        <source>Switch every dot off</source>
        <translation>熄灭所有点</translation>
    </message>
</context>
<context>
    <name>Korvane::CDlgManipulator</name>
    <message>
        <source>Arm step lists (*.json);;All files (*)</source>
        <translation>机械臂步骤列表 (*.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Joint %1</source>
        <translation>关节 %1</translation>
    </message>
    <message>
        <source>Joint %1 angle</source>
        <translation>关节 %1 角度</translation>
    </message>
    <message>
        <source>Taught steps</source>
        <translation>已示教的步骤</translation>
    </message>
    <message>
        <source>Milliseconds, 0 to 60000</source>
        <translation>毫秒，0 到 60000</translation>
    </message>
    <message>
        <source>Every slider move is sent to the arm</source>
        <translation>每次移动滑块都发送给机械臂</translation>
    </message>
    <message>
        <source>A joint angle is a whole number from 0 to 180.</source>
        <translation>关节角度是 0 到 180 之间的整数。</translation>
    </message>
    <message numerus="yes">
        <source>Discard the %n taught step(s) not saved to a file?</source>
        <translation>
            <numerusform>放弃 %n 个未保存到文件的示教步骤吗？</numerusform>
        </translation>
    </message>
    <message>
        <source>A list holds at most %1 steps.</source>
        <translation>一个列表最多包含 %1 个步骤。</translation>
    </message>
    <message>
        <source>The delay between steps is a whole number of milliseconds from 0 to 60000.</source>
        <translation>步骤间延时是 0 到 60000 之间的整数毫秒。</translation>
    </message>
    <message>
        <source>The last step list could not be read: %1</source>
        <translation>无法读取上次的步骤列表：%1</translation>
    </message>
    <message>
        <source>Open step list</source>
        <translation>打开步骤列表</translation>
    </message>
    <message>
        <source>the file is too large for a step list</source>
        <translation>文件太大，不是步骤列表</translation>
    </message>
    <message>
        <source>The step list %1 could not be read: %2</source>
        <translation>无法读取步骤列表 %1：%2</translation>
    </message>
    <message>
        <source>Save step list</source>
        <translation>保存步骤列表</translation>
    </message>
    <message>
        <source>The step list could not be written to %1: %2</source>
        <translation>无法把步骤列表写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>Korvane::CDotGrid</name>
    <message>
        <source>Dot matrix</source>
        <translation>点阵</translation>
    </message>
    <message>
        <source>Row %1, column %2</source>
        <translation>第 %1 行，第 %2 列</translation>
    </message>
    <message>
        <source>lit</source>
        <translation>亮</translation>
    </message>
    <message>
        <source>dark</source>
        <translation>灭</translation>
    </message>
</context>
<context>
    <name>Korvane::CFrameMonitor</name>
    <message>
        <source>Frame monitor</source>
        <translation>数据帧监视器</translation>
    </message>
    <message>
        <source>Frame monitor(&amp;M)</source>
        <translation>数据帧监视器(&amp;M)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop the list while frames keep being taken</source>
        <translation>列表暂停，数据帧仍继续接收</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Empty the list</source>
        <translation>清空列表</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Copy the selected rows</source>
        <translation>复制选中的行</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Write the listed rows to a text file</source>
        <translation>把列出的行写入文本文件</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>筛选：</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>数据帧</translation>
    </message>
    <message>
        <source>Frames listed and dropped</source>
        <translation>列出和丢弃的数据帧</translation>
    </message>
    <message>
        <source>Save frames</source>
        <translation>保存数据帧</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>文本文件 (*.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The frames could not be saved to %1: %2</source>
        <translation>无法把数据帧保存到 %1：%2</translation>
    </message>
    <message>
        <source>%1 frames listed</source>
        <translation>列出 %1 帧</translation>
    </message>
    <message>
        <source> (of %1)</source>
        <translation>（共 %1 帧）</translation>
    </message>
    <message>
        <source>; %1 older frames dropped from the list (it keeps %2)</source>
        <translation>；列表已丢弃 %1 个较早的帧（最多保留 %2 帧）</translation>
    </message>
    <message>
        <source>; %1 frames dropped by the station</source>
        <translation>；工作站丢弃了 %1 帧</translation>
    </message>
    <message>
        <source>; paused, %1 waiting</source>
        <translation>；已暂停，%1 帧等待中</translation>
    </message>
</context>
<context>
    <name>Korvane::CFrameMonitorModel</name>
    <message>
        <source>Time (ms)</source>
        <translation>时间（毫秒）</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>数据帧</translation>
    </message>
</context>
<context>
    <name>Korvane::CKorvaneDoc</name>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
</context>
<context>
    <name>Korvane::CLamp</name>
    <message>
        <source>Lamp</source>
        <translation>指示灯</translation>
    </message>
    <message>
        <source>on</source>
        <translation>亮</translation>
    </message>
    <message>
        <source>off</source>
        <translation>灭</translation>
    </message>
</context>
<context>
    <name>Korvane::CMainFrame</name>
    <message>
        <source>The serial port is not open or has been disconnected. Please reconnect!</source>
        <translation>串口未打开或已断开，请重新连接！</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>New(&amp;N)</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>创建新文档</translation>
    </message>
    <message>
        <source>Open(&amp;O)...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>打开现有文档</translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>保存当前文档</translation>
    </message>
    <message>
        <source>Save As(&amp;A)...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>Undo(&amp;U)</source>
        <translation>撤消(&amp;U)</translation>
    </message>
    <message>
        <source>Cut(&amp;T)</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Copy(&amp;C)</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Paste(&amp;P)</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>Toolbar(&amp;T)</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Status Bar(&amp;S)</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Language(&amp;L)</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>Product Select</source>
        <translation>产品选择</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Bluetooth/COM Config</source>
        <translation>蓝牙/串口配置</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>About Korvane(&amp;A)...</source>
        <translation>关于 Korvane(&amp;A)...</translation>
    </message>
    <message>
        <source>Show the program&apos;s version</source>
        <translation>显示程序版本</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Open/Close</source>
        <translation>打开/关闭</translation>
    </message>
    <message>
        <source>打开或者关闭串口!</source>
        <translation>打开或者关闭串口!</translation>
    </message>
    <message>
        <source>打开或者关闭串口</source>
        <translation>打开或者关闭串口</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>The translation for %1 could not be found; the captions stay as they are.</source>
        <translation>找不到 %1 的翻译，界面文字保持不变。</translation>
    </message>
    <message>
        <source>Nomal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>正在打开</translation>
    </message>
    <message>
        <source>Share over MQTT...</source>
        <translation>通过 MQTT 共享...</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s keyring.</source>
        <translation>密码保存在桌面的密钥环中。</translation>
    </message>
    <message>
        <source>No keyring answers on this desktop: a password typed here is used until the station ends, not remembered. KORVANE_MQTT_PASSWORD can give it to unattended runs.</source>
        <translation>此桌面没有可用的密钥环：这里输入的密码只在本次运行中使用，不会保存。无人值守运行可以用 KORVANE_MQTT_PASSWORD 提供密码。</translation>
    </message>
    <message>
        <source>Classroom...</source>
        <translation>课堂...</translation>
    </message>
    <message>
        <source>Set up the broker first, in Config → Share over MQTT...</source>
        <translation>请先在“配置 → 通过 MQTT 共享...”中设置代理服务器</translation>
    </message>
</context>
<context>
    <name>Korvane::CMqttBridge</name>
    <message>
        <source>the MQTT client could not be made</source>
        <translation>无法创建 MQTT 客户端</translation>
    </message>
    <message>
        <source>TLS could not be set up: %1</source>
        <translation>无法设置 TLS：%1</translation>
    </message>
    <message>
        <source>the broker did not answer</source>
        <translation>代理服务器没有应答</translation>
    </message>
    <message>
        <source>the broker closed the connection</source>
        <translation>代理服务器关闭了连接</translation>
    </message>
    <message>
        <source>the broker&apos;s name was not found: %1</source>
        <translation>找不到代理服务器的名称：%1</translation>
    </message>
    <message>
        <source>the MQTT library was not set up</source>
        <translation>MQTT 库未初始化</translation>
    </message>
</context>
<context>
    <name>Korvane::CMqttDlg</name>
    <message>
        <source>Certificate authority</source>
        <translation>证书颁发机构</translation>
    </message>
    <message>
        <source>Certificates (*.crt *.pem);;All files (*)</source>
        <translation>证书 (*.crt *.pem);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Other programs on the broker may drive the device through this station</source>
        <translation>代理服务器上的其他程序可以通过本工作站控制设备</translation>
    </message>
    <message>
        <source>The broker address is not usable: %1</source>
        <translation>代理服务器地址不可用：%1</translation>
    </message>
    <message>
        <source>The topic prefix must not be empty nor hold &quot;+&quot; or &quot;#&quot;.</source>
        <translation>主题前缀不能为空，也不能包含“+”或“#”。</translation>
    </message>
</context>
<context>
    <name>Korvane::CMqttShare</name>
    <message numerus="yes">
        <source>%n message(s) dropped: the broker was slower than the station</source>
        <translation>
            <numerusform>丢弃了 %n 条消息：代理服务器比工作站慢</numerusform>
        </translation>
    </message>
    <message>
        <source>Remote control allowed: %1 commands taken, %2 refused</source>
        <translation>允许远程控制：已执行 %1 条命令，拒绝 %2 条</translation>
    </message>
    <message>
        <source>MQTT: on, remotely driven</source>
        <translation>MQTT：已连接，远程控制中</translation>
    </message>
    <message>
        <source>MQTT: on</source>
        <translation>MQTT：已连接</translation>
    </message>
    <message>
        <source>MQTT: connecting</source>
        <translation>MQTT：正在连接</translation>
    </message>
    <message>
        <source>MQTT: failed</source>
        <translation>MQTT：失败</translation>
    </message>
    <message>
        <source>MQTT: off</source>
        <translation>MQTT：关闭</translation>
    </message>
</context>
<context>
    <name>Korvane::CPanelBase</name>
    <message>
        <source>The serial port is not open or has been disconnected. Please reconnect!</source>
        <translation>串口未打开或已断开，请重新连接！</translation>
    </message>
</context>
<context>
    <name>Korvane::CPendrixFormView</name>
    <message>
        <source>Ultrasonic distance</source>
        <translation>超声波距离</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>Drive: turn left</source>
        <translation>行驶：左转</translation>
    </message>
    <message>
        <source>Drive: turn right</source>
        <translation>行驶：右转</translation>
    </message>
    <message>
        <source>Store the heading as position 1</source>
        <translation>把车头方向存为位置 1</translation>
    </message>
    <message>
        <source>Store the heading as position 2</source>
        <translation>把车头方向存为位置 2</translation>
    </message>
    <message>
        <source>Store the heading as position 3</source>
        <translation>把车头方向存为位置 3</translation>
    </message>
</context>
<context>
    <name>Korvane::CPictureEx</name>
    <message>
        <source>Picture</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>playing</source>
        <translation>播放中</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已停止</translation>
    </message>
</context>
<context>
    <name>Korvane::CPortCombo</name>
    <message>
        <source>In HKEY_LOCAL_MACHINE:Hardware\DeviceMap\SerialComm don&apos;t find Com!!!</source>
        <translation>在 HKEY_LOCAL_MACHINE:Hardware\DeviceMap\SerialComm 中找不到串口！！！</translation>
    </message>
    <message>
        <source>No serial port found!</source>
        <translation>找不到串口！</translation>
    </message>
</context>
<context>
    <name>Korvane::CSnapshotVideo</name>
    <message>
        <source>Download Fail!</source>
        <translation>下载失败！</translation>
    </message>
    <message>
        <source>Connect video</source>
        <translation>连接视频</translation>
    </message>
    <message>
        <source>Disconnect video</source>
        <translation>断开视频</translation>
    </message>
    <message>
        <source>下载失败</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>连接视频</source>
        <translation>连接视频</translation>
    </message>
    <message>
        <source>断开视频</source>
        <translation>断开视频</translation>
    </message>
</context>
<context>
    <name>Korvane::CTavo4WDCarFormView</name>
    <message>
        <source>Obstacle sensor %1</source>
        <translation>避障传感器 %1</translation>
    </message>
    <message>
        <source>Light seeking sensor %1</source>
        <translation>寻光传感器 %1</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>超声波距离</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>Colour sensor</source>
        <translation>颜色传感器</translation>
    </message>
    <message>
        <source>Colour sensor colour</source>
        <translation>颜色传感器检测到的颜色</translation>
    </message>
    <message>
        <source>Camera up</source>
        <translation>摄像头向上</translation>
    </message>
    <message>
        <source>Camera down</source>
        <translation>摄像头向下</translation>
    </message>
    <message>
        <source>Camera left</source>
        <translation>摄像头向左</translation>
    </message>
    <message>
        <source>Camera right</source>
        <translation>摄像头向右</translation>
    </message>
    <message>
        <source>Drive: turn left</source>
        <translation>行驶：左转</translation>
    </message>
    <message>
        <source>Drive: turn right</source>
        <translation>行驶：右转</translation>
    </message>
    <message>
        <source>Servo to the left end</source>
        <translation>舵机转到最左</translation>
    </message>
    <message>
        <source>Servo to the right end</source>
        <translation>舵机转到最右</translation>
    </message>
</context>
<context>
    <name>Korvane::CTchart_wave</name>
    <message>
        <source>Gyroscope</source>
        <translation>陀螺仪</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>加速度</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>电池电压</translation>
    </message>
    <message>
        <source>Wave shape display</source>
        <translation>波形显示</translation>
    </message>
    <message>
        <source>Waveform chart</source>
        <translation>波形图</translation>
    </message>
</context>
<context>
    <name>Korvane::CVideoArea</name>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>无图像</translation>
    </message>
    <message>
        <source>Live camera picture</source>
        <translation>实时摄像头图像</translation>
    </message>
</context>
<context>
    <name>Korvane::CWifiCarPanel</name>
    <message>
        <source>Searchlight colour</source>
        <translation>探照灯颜色</translation>
    </message>
    <message>
        <source>Control connection</source>
        <translation>控制连接</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>电池</translation>
    </message>
    <message>
        <source>Tracking sensor %1</source>
        <translation>巡线传感器 %1</translation>
    </message>
</context>
<context>
    <name>Korvane::CWifiControlClient</name>
    <message>
        <source>The server address or port cannot be NULL</source>
        <translation>服务器地址或者端口不能为空</translation>
    </message>
    <message>
        <source>Connecting to server....<byte value="xd"/>
</source>
        <translation>正在连接服务器....<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>FD_ISSET do not write!</source>
        <translation>无法连接到服务器！</translation>
    </message>
    <message>
        <source>getsockopt error!</source>
        <translation>连接失败！</translation>
    </message>
    <message>
        <source>Connection to server successful!<byte value="xd"/>
</source>
        <translation> 连接服务器成功！<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Close conection</source>
        <translation>关闭连接</translation>
    </message>
    <message>
        <source>Successfully closed soket！</source>
        <translation>连接已关闭。</translation>
    </message>
    <message>
        <source>Connect control</source>
        <translation>连接控制</translation>
    </message>
    <message>
        <source>Connection closed by the server!<byte value="xd"/>
</source>
        <translation>服务器已关闭连接！<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>服务器地址或者端口不能为NULL</source>
        <translation>服务器地址或者端口不能为NULL</translation>
    </message>
    <message>
        <source>正在连接服务器....<byte value="xd"/>
</source>
        <translation>正在连接服务器....<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>FD_ISSET 不可写!</source>
        <translation>FD_ISSET 不可写!</translation>
    </message>
    <message>
        <source>getsockopt 有错!</source>
        <translation>getsockopt 有错!</translation>
    </message>
    <message>
        <source>连接服务器成功！<byte value="xd"/>
</source>
        <translation>连接服务器成功！<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>关闭连接</source>
        <translation>关闭连接</translation>
    </message>
    <message>
        <source>成功关闭soket！</source>
        <translation>成功关闭soket！</translation>
    </message>
    <message>
        <source>连接控制</source>
        <translation>连接控制</translation>
    </message>
    <message>
        <source>服务器已关闭连接！<byte value="xd"/>
</source>
        <translation>服务器已关闭连接！<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>Korvane::ColourWords</name>
    <message>
        <source>black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>white</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>dark grey</source>
        <translation>深灰色</translation>
    </message>
    <message>
        <source>light grey</source>
        <translation>浅灰色</translation>
    </message>
    <message>
        <source>grey</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>橙色</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>黄色</translation>
    </message>
    <message>
        <source>green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>青色</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>purple</source>
        <translation>紫色</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>品红色</translation>
    </message>
    <message>
        <source>dark %1</source>
        <translation>深%1</translation>
    </message>
    <message>
        <source>light %1</source>
        <translation>浅%1</translation>
    </message>
</context>
<context>
    <name>Korvane::Gallery</name>
    <message>
        <source>Korvane PC widget gallery</source>
        <translation>Korvane PC 控件展示</translation>
    </message>
    <message>
        <source>Segment display</source>
        <translation>数码管</translation>
    </message>
    <message>
        <source>Coloured button</source>
        <translation>彩色按钮</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>Red face</source>
        <translation>红色按钮</translation>
    </message>
    <message>
        <source>Pointer over</source>
        <translation>鼠标悬停</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>已禁用</translation>
    </message>
    <message>
        <source>A caption too long for the button</source>
        <translation>一个对按钮来说过长的标题</translation>
    </message>
    <message>
        <source>Animated picture and lamps</source>
        <translation>动画图片和指示灯</translation>
    </message>
    <message>
        <source>lamp off</source>
        <translation>灯灭</translation>
    </message>
    <message>
        <source>lamp on</source>
        <translation>灯亮</translation>
    </message>
</context>
<context>
    <name>Korvane::Language</name>
    <message>
        <source>Original</source>
        <translation>原始</translation>
    </message>
</context>
<context>
    <name>Korvane::Product</name>
    <message>
        <source>Alder Development Board</source>
        <translation>Alder 开发板</translation>
    </message>
    <message>
        <source>Development Board</source>
        <translation>开发板</translation>
    </message>
    <message>
        <source>Alder Compact Development Board</source>
        <translation>Alder 紧凑型开发板</translation>
    </message>
    <message>
        <source>Alder Development Kit</source>
        <translation>Alder 开发套件</translation>
    </message>
    <message>
        <source>Development Kit</source>
        <translation>开发套件</translation>
    </message>
    <message>
        <source>Birch Basic Kit</source>
        <translation>Birch 基础套件</translation>
    </message>
    <message>
        <source>Birch Sensor Kit</source>
        <translation>Birch 传感器套件</translation>
    </message>
    <message>
        <source>Birch Robot Car</source>
        <translation>Birch 机器人小车</translation>
    </message>
    <message>
        <source>Smart Robot Car</source>
        <translation>智能机器人小车</translation>
    </message>
    <message>
        <source>Vantrel Robot Car</source>
        <translation>Vantrel 机器人小车</translation>
    </message>
    <message>
        <source>Alder Robot Car</source>
        <translation>Alder 机器人小车</translation>
    </message>
    <message>
        <source>Birch Balance Car</source>
        <translation>Birch 平衡车</translation>
    </message>
    <message>
        <source>Balance Car</source>
        <translation>平衡车</translation>
    </message>
    <message>
        <source>Cedar Balance Car</source>
        <translation>Cedar 平衡车</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (Arduino)</source>
        <translation>Tavo 四驱车（Arduino）</translation>
    </message>
    <message>
        <source>Tavo 4WD Car</source>
        <translation>Tavo 四驱车</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (51)</source>
        <translation>Tavo 四驱车（51）</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (STM32)</source>
        <translation>Tavo 四驱车（STM32）</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (Raspberry Pi)</source>
        <translation>Tavo 四驱车（树莓派）</translation>
    </message>
    <message>
        <source>Pendrix Robot Car (STM32)</source>
        <translation>Pendrix 机器人小车（STM32）</translation>
    </message>
    <message>
        <source>Pendrix Robot Car</source>
        <translation>Pendrix 机器人小车</translation>
    </message>
    <message>
        <source>Pendrix Robot Car (Raspberry Pi)</source>
        <translation>Pendrix 机器人小车（树莓派）</translation>
    </message>
    <message>
        <source>Pendrix Robot Car (Test Variant)</source>
        <translation>Pendrix 机器人小车（测试型）</translation>
    </message>
</context>
<context>
    <name>Korvane::Startup</name>
    <message>
        <source>The GBK text codec is missing (Qt was built without ICU): Korvane PC cannot talk to the boards.</source>
        <translation>缺少 GBK 文字编码（Qt 编译时未带 ICU）：Korvane PC 无法与开发板通信。</translation>
    </message>
</context>
<context>
    <name>PortAdvice</name>
    <message>
        <source>You may not open %1 (%2). Ask the administrator for access to it.</source>
        <translation>您无权打开 %1（%2）。请向管理员申请访问权限。</translation>
    </message>
    <message>
        <source>You may not open %1 yet: you were added to the group &quot;%2&quot;, but this login does not have it. Log out and in again.</source>
        <translation>您暂时无法打开 %1：您已加入组“%2”，但本次登录还没有该组权限。请注销后重新登录。</translation>
    </message>
    <message>
        <source>You may not open %1: only members of the group &quot;%2&quot; may, and you are not one. Join the group with
    sudo usermod -aG %2 %3
then log out and in again.</source>
        <translation>您无法打开 %1：只有组“%2”的成员可以打开，而您不是其成员。用以下命令加入该组
    sudo usermod -aG %2 %3
然后注销并重新登录。</translation>
    </message>
    <message>
        <source>%1 is in use by another program: %2 (process %3). Close it, or disconnect it from the port, and open again.</source>
        <translation>%1 正被另一个程序使用：%2（进程 %3）。请关闭该程序或让它断开此端口，然后重新打开。</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>%1 is in use by another program, which could not be identified. Close the program that uses it and open again.</source>
        <translation>%1 正被另一个无法识别的程序使用。请关闭使用它的程序，然后重新打开。</translation>
    </message>
    <message>
        <source>%1 is not there: the device is unplugged or switched off, or the name is mistyped. No serial port is present now.</source>
        <translation>%1 不存在：设备已拔出或已关闭，或者名称输入有误。当前没有任何串口。</translation>
    </message>
    <message>
        <source>The port</source>
        <translation>该端口</translation>
    </message>
    <message>
        <source>%1 is not there: the device is unplugged or switched off, or the name is mistyped. Ports present now: %2.</source>
        <translation>%1 不存在：设备已拔出或已关闭，或者名称输入有误。当前存在的端口：%2。</translation>
    </message>
    <message>
        <source>The system said: %1</source>
        <translation>系统提示：%1</translation>
    </message>
    <message>
        <source>Nothing answered at %1, port %2. This PC must be on the car&apos;s Wi-Fi (its access point) and the car switched on.</source>
        <translation>%1 的端口 %2 没有应答。本电脑必须连接到小车的 Wi-Fi（它的热点），并且小车已开机。</translation>
    </message>
</context>
<context>
    <name>PortListText</name>
    <message>
        <source>Bluetooth</source>
        <translation>蓝牙</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>序列号 %1</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>the file is not a step list (%1)</source>
        <translation>该文件不是步骤列表（%1）</translation>
    </message>
    <message>
        <source>the delay must be a whole number of milliseconds from 0 to %1</source>
        <translation>延时必须是 0 到 %1 之间的整数毫秒</translation>
    </message>
    <message>
        <source>the steps must be a list of at most %1 poses</source>
        <translation>步骤必须是最多 %1 个姿态的列表</translation>
    </message>
    <message>
        <source>step %1 is not six angles from 0 to 180</source>
        <translation>第 %1 步不是六个 0 到 180 之间的角度</translation>
    </message>
</context>
</TS>
